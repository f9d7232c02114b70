#pragma once

#include <QMutex>
#include <QPointer>
#include <QSemaphore>
#include <QThread>
#include <QWaitCondition>
#include <QWidget>
#include <atomic>
#include <functional>
#include <optional>

#include "link/linkcheck.h"
#include "link/radiojob.h"

namespace kv {

// A read, or a write with its checks (RadioJob), or a link check (LinkCheck), on a worker
// thread that owns the serial port: the port is opened there first (a link check opens it as
// its own first step), then the job waits for the progress window's start.
// Captions and progress reach the window as queued signals; a message or the read's load runs on
// the GUI thread while the worker waits for it. The GUI thread never waits for the worker while the
// worker waits for it: it first lets the worker go on without it (see finishWithoutGui).
class TransferJob : public QThread {
  Q_OBJECT

 public:
  struct Request {
    QString device;
    std::optional<RadioData> writeData;  // a write when set, else a read
    WriteChecks checks;
    // A read's lines are saved here once the read has ended and loaded by `load`; where the
    // file cannot be saved, `loadLines` loads them from memory. Each says whether they loaded.
    // A read without a scratch path loads nothing: its outcome holds what the radio sent.
    QString scratchPath;
    std::function<bool(const QString&)> load;
    std::function<bool(const QByteArray&)> loadLines;
    LinkOptions options;
    BackupStore* backups = nullptr;  // none: no backups
    bool linkCheck = false;          // a link check of `device` instead of a transfer
  };

  TransferJob(Request request, LinkSession& session, QObject* parent = nullptr);
  ~TransferJob() override;

  // Blocks until the worker has tried to open the port; the error when it could not.
  std::optional<Failure> waitUntilOpen();
  void begin();
  // A confirmed cancel; also releases a transfer that has not begun.
  void cancel();
  // Where messages are shown from now on (GUI thread only).
  void setMessageParent(QWidget* parent) { messageParent_ = parent; }
  // GUI thread: cancels and waits for the worker, which ends within one wait slice. A message
  // or load the worker asks the GUI for from now on is skipped, so this returns even when the
  // GUI thread can no longer run them (the program is closing and its event loops have ended).
  void finishWithoutGui();
  // Every block went through and, for a read that loads, what came loaded.
  bool succeeded() const { return succeeded_; }
  // A read brought every block, but what the radio holds did not load.
  bool notLoaded() const { return notLoaded_; }
  // How the job ended; read it once the worker has finished.
  const JobOutcome& outcome() const { return outcome_; }
  // "数据已读入，但无法保存临时文件…" when a read's lines were loaded from memory.
  const QString& scratchWarning() const { return scratchWarning_; }
  // A link check's result; read it once the worker has finished.
  const CheckResult& checkResult() const { return checkResult_; }
  // The user chose "检测连接" on the time-out message: the transfer has been ended so that the
  // port can be checked.
  bool checkRequested() const { return checkRequested_; }

 signals:
  void captionChanged(const QString& caption);
  void progressChanged(int value);
  void stepChanged(const QString& step);

 protected:
  void run() override;

 private:
  friend class JobObserver;
  void showMessage(const QString& text, const QString& title, MessageIcon icon);
  bool confirmOtherModel(const QString& radio, const QString& document);
  bool loadReceived();
  // Worker thread: runs `call` on the GUI thread and returns once it has run, or at once
  // when the GUI no longer serves the worker.
  void callOnGui(std::function<void()> call);

  Request request_;
  LinkSession& session_;
  QSemaphore opened_;
  QSemaphore go_;
  std::atomic<bool> cancelled_{false};
  std::optional<Failure> openError_;
  std::atomic<bool> succeeded_{false};
  std::atomic<bool> notLoaded_{false};
  JobOutcome outcome_;
  QString scratchWarning_;
  CheckResult checkResult_;
  bool checkRequested_ = false;  // GUI thread only
  QPointer<QWidget> messageParent_;
  QMutex mutex_;
  QWaitCondition called_;  // a GUI call has run, or the GUI no longer serves the worker
  bool guiGone_ = false;   // guarded by mutex_
};

// Shows the progress window over `parent` for a job whose port is open (waitUntilOpen), starts
// the job from it, and returns once the job has ended: the window shows the caption, the step
// and the bar, and its Cancel cancels the job.
void runInProgressWindow(QWidget* parent, TransferJob& job);

}  // namespace kv
