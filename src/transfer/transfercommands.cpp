#include "transfer/transfercommands.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QStatusBar>

#include "link/systemserialport.h"
#include "transfer/frmdk.h"
#include "transfer/frmwait.h"
#include "transfer/transferjob.h"
#include "ui/prompts.h"

namespace kv {
namespace {

// What outlives a single transfer: the port choice and the receive mode, for the whole run.
struct RunState {
  int dkh = 0;
  LinkSession session;
  LinkOptions options;
};

RunState& run() {
  static RunState state;
  return state;
}

void reportError(QWidget* parent, const Failure& error) {
  prompts::message(parent, error.description, QString::number(error.number),
                   prompts::Icon::Information);
}

bool runTransfer(QWidget* parent, TransferJob::Request request) {
  const auto device = portDevice(run().dkh);
  if (!device) {
    reportError(parent,
                {errnum::kPortNotFound, QStringLiteral("没有端口COM%1").arg(run().dkh + 1)});
    return false;
  }
  request.device = *device;
  request.options = run().options;
  const bool write = request.writeData.has_value();
  const QString scratch = request.scratchPath;
  TransferJob job(std::move(request), run().session);
  job.setMessageParent(parent);
  job.start();
  if (const auto error = job.waitUntilOpen()) {
    reportError(parent, *error);
    return false;
  }
  // A scratch file that stays would have this read's lines appended to the last one's, and
  // the old data would load as if read from the radio.
  if (!write && QFile::exists(scratch) && !QFile::remove(scratch)) {
    reportError(parent, {errnum::kFileAccess, QStringLiteral("无法删除文件“%1”").arg(scratch)});
    return false;
  }

  frmWAIT window(parent);
  QObject::connect(&job, &TransferJob::captionChanged, &window, &frmWAIT::setCaption);
  QObject::connect(&job, &TransferJob::progressChanged, &window, &frmWAIT::setProgress);
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
  return job.succeeded();
}

}  // namespace

bool runWriteCommand(QWidget* parent, const RadioData& data) {
  if (!prompts::message(parent, QStringLiteral("确定要开始写频吗?"), QStringLiteral("写频进度显示"),
                        prompts::Icon::None, prompts::Buttons::OkCancel))
    return false;
  TransferJob::Request request;
  request.writeData = data;
  return runTransfer(parent, std::move(request));
}

bool runReadCommand(QWidget* parent, const std::function<void(const QString& scratchPath)>& load) {
  if (!prompts::message(parent, QStringLiteral("确定要开始读频吗?"), QStringLiteral("读频进度显示"),
                        prompts::Icon::None, prompts::Buttons::OkCancel))
    return false;
  TransferJob::Request request;
  request.scratchPath = scratchFilePath();
  request.load = load;
  return runTransfer(parent, std::move(request));
}

void runPortDialog(QWidget* parent, QStatusBar* status) {
  // Between transfers the port is always closed: each transfer opens and closes its own.
  frmDK dialog(listSerialPorts(), run().dkh, parent);
  dialog.exec();
  run().dkh = dialog.DKH();
  if (status) status->showMessage(currentPortText());
}

int currentPortIndex() { return run().dkh; }

QString currentPortText() {
  const auto device = portDevice(run().dkh);
  const QString name = QStringLiteral("COM%1").arg(run().dkh + 1);
  if (!device) return QStringLiteral("%1：没有此端口").arg(name);
  return *device == name ? name : QStringLiteral("%1：%2").arg(name, *device);
}

QString scratchFilePath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(folder);
  return QDir(folder).filePath(QStringLiteral("received.chp"));
}

void setLinkOptions(const LinkOptions& options) { run().options = options; }

}  // namespace kv
