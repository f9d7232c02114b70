#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;
class QTimer;

namespace kv {

// The progress window every transfer runs under: it shows the transfer's caption and bar,
// starts the transfer half a second after it opens and offers Cancel.
class frmWAIT : public QDialog {
  Q_OBJECT

 public:
  explicit frmWAIT(QWidget* parent = nullptr);

  // The cancel flag as the window knows it: true until a cancel is confirmed.
  bool blnReandOrWrite() const { return goOn_; }
  QProgressBar* pgbCount() const { return bar_; }
  QPushButton* cmdCancel() const { return cancel_; }

  void setCaption(const QString& caption) { setWindowTitle(caption); }
  void setProgress(int value);
  // The transfer has returned: bar full, then the window closes itself.
  void finish();

  // Closing by the frame or Escape asks like Cancel.
  void reject() override;

 signals:
  void startTransfer();    // the start timer has fired
  void cancelConfirmed();  // the user confirmed the cancel

 private:
  void cancelClicked();

  bool goOn_ = true;
  bool finished_ = false;
  QProgressBar* bar_;
  QPushButton* cancel_;
  QTimer* timer1_;
};

}  // namespace kv
