#include "transfer/linkcheckcommand.h"

#include <QCoreApplication>

#include "link/linkcheck.h"
#include "transfer/portchoice.h"
#include "transfer/transfercommands.h"
#include "transfer/transferjob.h"
#include "ui/prompts.h"

namespace kv {
namespace {

int& listenMs() {
  static int msecs = kCheckListenMs;
  return msecs;
}

// The verdict and its advice, then the port and the cable where there is a port.
void showResult(QWidget* parent, const CheckResult& result) {
  if (result.cancelled) return;
  const CheckReport report = describe(result);
  QString text = report.text();
  if (!result.port.device.isEmpty())
    text += QStringLiteral("\n\n") +
            QCoreApplication::translate("kv::LinkCheckCommand", "端口：%1\n编程线：%2")
                .arg(result.port.device, report.cable);
  prompts::message(
      parent, text, QCoreApplication::translate("kv::LinkCheckCommand", "检测连接"),
      result.verdict == Verdict::Ok ? prompts::Icon::Information : prompts::Icon::Warning);
}

}  // namespace

void runCheckCommand(QWidget* parent, const QString& device) {
  TransferJob::Request request;
  request.device = device;
  request.linkCheck = true;
  request.options = linkOptions();
  request.options.timeoutMs = listenMs();
  LinkSession session;  // not used: the check's line keeps a receive mode of its own
  TransferJob job(std::move(request), session);
  job.start();
  job.waitUntilOpen();
  runInProgressWindow(parent, job);
  showResult(parent, job.checkResult());
}

void runCheckCommand(QWidget* parent) {
  const auto chosen = currentPortDevice();
  if (const auto* device = std::get_if<QString>(&chosen)) return runCheckCommand(parent, *device);
  // The chosen port is not listed: nothing to open, and the verdict says so.
  CheckResult missing;
  missing.reason = std::get<Failure>(chosen).description;
  showResult(parent, missing);
}

void setCheckListenMs(int msecs) { listenMs() = msecs; }

}  // namespace kv
