#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace kv {

// The question a running transfer asks before it stops, in the progress window and the batch
// dialog alike: "确定要取消吗". True when the user chose to stop.
bool confirmStop(QWidget* parent);

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

  void setCaption(const QString& caption);
  void setProgress(int value);
  // A job of several transfers names the one running, beside the button; a single transfer
  // leaves the window as it always was.
  void setStep(const QString& step);
  QLabel* lblStep() const { return step_; }
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
  QLabel* step_;
  QPushButton* cancel_;
  QTimer* timer1_;
};

}  // namespace kv
