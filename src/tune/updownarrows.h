#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace kv {

// A pair of arrows tied to a free-text box: each click moves the number in the box by one
// within a range and writes it back, as the Up and Down keys in the box do (the arrows take
// no focus). The box itself accepts any text.
class UpDownArrows : public QWidget {
  Q_OBJECT

 public:
  UpDownArrows(QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

  // What `steps` clicks do (positive up). A box that holds no number counts from the
  // minimum; a number outside the range is first brought into it.
  void stepBy(int steps);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* buddy_;
  int minimum_;
  int maximum_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace kv
