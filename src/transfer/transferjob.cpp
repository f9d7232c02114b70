#include "transfer/transferjob.h"

#include <memory>

#include "link/systemserialport.h"
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
  callOnGui([this, text, title, shown] { prompts::message(messageParent_, text, title, shown); });
}

void TransferJob::loadOnGui(const QString& path) {
  callOnGui([this, path] { request_.load(path); });
}

void TransferJob::run() {
  SystemSerialPort port;  // created here: the port belongs to this thread
  openError_ = port.open(request_.device);
  opened_.release();
  if (openError_) return;
  go_.acquire();
  if (cancelled_) {
    port.close();
    return;
  }
  SystemClock clock;
  JobObserver observer(*this);
  RadioJob job(port, [&] { return port.open(request_.device); }, clock, observer, session_,
               {request_.device, request_.backupFolder, request_.options});
  if (request_.writeData) {
    outcome_ = job.write(*request_.writeData, request_.checks);
  } else {
    outcome_ = job.read(request_.scratchPath, [this](const QString& path) {
      loadOnGui(path);
      return true;
    });
  }
  succeeded_ = outcome_.ok;
  port.close();
}

}  // namespace kv
