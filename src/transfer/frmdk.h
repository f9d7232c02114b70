#pragma once

#include <QDialog>
#include <QStringList>
#include <array>

class QPushButton;
class QRadioButton;

namespace kv {

// The port dialog: COM1..COM4, one button for each of the first four listed ports.
class frmDK : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kButtonCount = 4;

  // `ports`: the listed devices; `current`: the port index chosen so far (DKH).
  frmDK(const QStringList& ports, int current, QWidget* parent = nullptr);

  // The chosen port index, 0 for COM1. A click changes it at once, even if the dialog is
  // then closed by its frame.
  int DKH() const { return dkh_; }
  QRadioButton* optDK(int index) const { return optDK_.at(index); }
  QPushButton* cmdQD() const { return cmdQD_; }

 private:
  void confirm();

  std::array<QRadioButton*, kButtonCount> optDK_{};
  QPushButton* cmdQD_ = nullptr;
  int dkh_;
};

}  // namespace kv
