#pragma once

#include <QWidget>

class QTimer;

namespace kv {

// The first window of a run: a picture that closes itself after a second.
class frmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);

  // The picture, whose words are in the current language; the about box shows it too.
  static QString picture();

 signals:
  // The splash's second is over; it closes right after this.
  void finished();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QTimer* timer_;
};

}  // namespace kv
