#include "transfer/transferjob.h"

#include <QDir>
#include <QEventLoop>
#include <memory>

#include "image/atomicfile.h"
#include "image/chpfile.h"
#include "link/portjob.h"
#include "transfer/frmwait.h"
#include "ui/prompts.h"

namespace kv {

class JobObserver : public TransferObserver {
 public:
  explicit JobObserver(TransferJob& job) : job_(job) {}
  void setCaption(const QString& caption) override { emit job_.captionChanged(caption); }
  void setProgress(int value) override { emit job_.progressChanged(value); }
  void setStep(const QString& step) override { emit job_.stepChanged(step); }
  void message(const QString& text, const QString& title, MessageIcon icon) override {
    job_.showMessage(text, title, icon);
  }
  bool cancelled() override { return job_.cancelled_; }

 private:
  TransferJob& job_;
};

TransferJob::TransferJob(Request request, LinkSession& session, QObject* parent)
    : QThread(parent), request_(std::move(request)), session_(session) {}

TransferJob::~TransferJob() { finishWithoutGui(); }

std::optional<Failure> TransferJob::waitUntilOpen() {
  opened_.acquire();
  return openError_;
}

void TransferJob::begin() { go_.release(); }

void TransferJob::cancel() {
  cancelled_ = true;
  go_.release();
}

void TransferJob::finishWithoutGui() {
  {
    QMutexLocker lock(&mutex_);
    guiGone_ = true;
    called_.wakeAll();
  }
  cancel();
  wait();
}

void TransferJob::callOnGui(std::function<void()> call) {
  // Shared with the queued call, which may outlive this wait when the GUI has gone.
  const auto done = std::make_shared<bool>(false);
  QMetaObject::invokeMethod(
      this,
      [this, call = std::move(call), done] {
        {
          QMutexLocker lock(&mutex_);
          if (guiGone_) return;
        }
        call();
        QMutexLocker lock(&mutex_);
        *done = true;
        called_.wakeAll();
      },
      Qt::QueuedConnection);
  QMutexLocker lock(&mutex_);
  while (!*done && !guiGone_) called_.wait(&mutex_);
}

void TransferJob::showMessage(const QString& text, const QString& title, MessageIcon icon) {
  static const prompts::Icon icons[] = {prompts::Icon::None, prompts::Icon::Information,
                                        prompts::Icon::Warning, prompts::Icon::Critical};
  const prompts::Icon shown = icons[int(icon)];
  // The radio did not answer: the time-out message also offers the link check, which ends the
  // transfer and runs once the transfer has let the port go.
  if (text == linktext::shown(linktext::kNoAnswer)) {
    callOnGui([this, text, title, shown] {
      if (prompts::messageOffering(messageParent_, text, title, shown, tr("检测连接"))) {
        checkRequested_ = true;
        cancelled_ = true;
      }
    });
    return;
  }
  callOnGui([this, text, title, shown] { prompts::message(messageParent_, text, title, shown); });
}

// A radio read before the write that holds another model is written only when the user says
// so; no answer (the program is closing) writes nothing.
bool TransferJob::confirmOtherModel(const QString& radio, const QString& document) {
  // Shared with the question, which may outlive this wait when the GUI has gone.
  const auto yes = std::make_shared<bool>(false);
  const QString text =
      tr("对讲机的型号是%1，当前数据的型号是%2。仍然写入吗？").arg(radio, document);
  callOnGui([this, yes, text] {
    *yes = prompts::question(messageParent_, text, tr("提示"), prompts::Icon::Question,
                             prompts::Buttons::YesNo, prompts::Answer::No) == prompts::Answer::Yes;
  });
  return *yes;
}

// The read's last step. The lines are saved in one piece once the read has ended, so that a
// data folder that cannot hold them costs the scratch file, not the read: what the radio sent
// is then loaded from memory, and no empty or partial file is left. False when what came did
// not load.
bool TransferJob::loadReceived() {
  const QByteArray lines = outcome_.receivedLines;
  // Nothing came, so nothing loads; a read that only looks has nowhere to load to.
  if (lines.isEmpty() || request_.scratchPath.isEmpty()) return true;
  // Shared with the call, which may outlive this wait when the GUI has gone.
  const auto loaded = std::make_shared<bool>(false);
  if (const auto error = writeFileAtomically(request_.scratchPath, lines)) {
    scratchWarning_ = tr("数据已读入，但无法保存临时文件“%1”：%2")
                          .arg(QDir::toNativeSeparators(request_.scratchPath), *error);
    if (request_.loadLines)
      callOnGui([this, lines, loaded] { *loaded = request_.loadLines(lines); });
    return *loaded;
  }
  callOnGui([this, loaded] { *loaded = request_.load(request_.scratchPath); });
  return *loaded;
}

void TransferJob::run() {
  JobObserver observer(*this);
  if (request_.linkCheck) {
    opened_.release();              // the check takes the port as its own first step
    checkResult_.cancelled = true;  // until it has run
    go_.acquire();
    if (cancelled_) return;
    checkResult_ = checkPort(listedPort(request_.device), observer, request_.options);
    succeeded_ = checkResult_.verdict == Verdict::Ok;
    return;
  }
  PortJob port(request_.device, request_.options, request_.backups, observer, session_);
  openError_ = port.open();
  opened_.release();
  if (openError_) return;
  go_.acquire();
  if (cancelled_) return;
  if (request_.writeData) {
    WriteChecks checks = request_.checks;
    checks.confirmOtherModel = [this](const QString& radio, const QString& document) {
      return confirmOtherModel(radio, document);
    };
    outcome_ = port.job().write(*request_.writeData, checks);
  } else {
    outcome_ = port.job().read(QString(), [](const QString&) { return true; });
    // A read stopped part way loads what it stored; one that brought every block but nothing
    // loadable has not read the radio.
    const bool loaded = loadReceived();
    if (outcome_.ok && !loaded) {
      outcome_.ok = false;
      notLoaded_ = true;
      // Why, for the job log, as the window's message said it.
      RadioData unused;
      outcome_.summary =
          notLoadableFromRadio(loadChpText(outcome_.receivedLines, unused).error.description);
    }
  }
  succeeded_ = outcome_.ok;
}

void runInProgressWindow(QWidget* parent, TransferJob& job) {
  frmWAIT window(parent);
  QObject::connect(&job, &TransferJob::captionChanged, &window, &frmWAIT::setCaption);
  QObject::connect(&job, &TransferJob::progressChanged, &window, &frmWAIT::setProgress);
  QObject::connect(&job, &TransferJob::stepChanged, &window, &frmWAIT::setStep);
  QObject::connect(&job, &QThread::finished, &window, &frmWAIT::finish);
  QObject::connect(&window, &frmWAIT::startTransfer, &job, &TransferJob::begin);
  QObject::connect(&window, &frmWAIT::cancelConfirmed, &job, &TransferJob::cancel);
  job.setMessageParent(&window);
  window.exec();
  job.setMessageParent(parent);

  // After a cancel the worker ends at its next check; until then it may still need the GUI
  // thread for a message or the read's load, so wait in an event loop rather than block.
  // When the program is closing, that loop ends at once and the worker goes on without them.
  QEventLoop loop;
  QObject::connect(&job, &QThread::finished, &loop, &QEventLoop::quit);
  if (job.isRunning()) loop.exec();
  job.finishWithoutGui();
}

}  // namespace kv
