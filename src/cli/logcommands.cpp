#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/command.h"
#include "image/joblog.h"

namespace kv::cli {
namespace {

int showLog(const Call& call) {
  QDate since;
  if (call.isSet(QStringLiteral("since"))) {
    since = QDate::fromString(call.value(QStringLiteral("since")), QStringLiteral("yyyy-MM-dd"));
    if (!since.isValid()) return call.misuse(QStringLiteral("--since takes a date: YYYY-MM-DD"));
  }
  const JobLogRead log = readJobLog();
  if (log.error) return fail(*log.error);
  const bool json = call.isSet(QStringLiteral("json"));
  QJsonArray array;
  QString text;
  for (const JobEntry& entry : log.entries) {
    // The day as it was where the line was written.
    if (since.isValid() && entry.time.date() < since) continue;
    if (json) {
      array.append(QJsonDocument::fromJson(jobLogLine(entry)).object());
      continue;
    }
    const bool verified = !entry.verify.isEmpty();
    text += QStringList{entry.time.toString(Qt::ISODate),
                        entry.action,
                        entry.outcome,
                        orDash(entry.port),
                        orDash(entry.device),
                        orDash(entry.usbId),
                        orDash(entry.serial),
                        orDash(entry.model),
                        orDash(entry.sha256),
                        orDash(entry.backup),
                        orDash(entry.verify),
                        verified ? QString::number(entry.differences) : QStringLiteral("-"),
                        orDash(entry.failure)}
                .join(QLatin1Char('\t')) +
            QLatin1Char('\n');
  }
  print(json ? QString::fromUtf8(QJsonDocument(array).toJson()) : text);
  return 0;
}

}  // namespace

QList<Command> logCommands() {
  return {{.name = "log",
           .summary = "List the job log: every write, read and comparison of a radio.",
           .about = "The window, its batch write and kvprog-cli record every job on a radio in\n"
                    "jobs.jsonl in the user's data folder (~/.local/share/kvprog), one JSON\n"
                    "object a line; past 20,000 lines it is cut to the newest 10,000. This\n"
                    "lists it oldest first, one tab-separated line per job: the time (ISO 8601\n"
                    "with its offset), the action (write, read, compare), the outcome (ok,\n"
                    "failed, cancelled, refused), the port as named and its device, the USB\n"
                    "vendor:product id and serial number, the model, the SHA-256 of the image\n"
                    "written or read, the backup's file name in the backups folder, a verify's\n"
                    "or comparison's result (ok, differs) and its number of differences, and\n"
                    "why the job failed (- stands for what the line does not say).\n\n",
           .options = {{"since", "YYYY-MM-DD", "only the jobs of that day and later"},
                       {"json", "",
                        "a JSON array of the log's objects, with the keys time, action,\n"
                        "outcome, port, device, usb_id, serial, model, sha256, backup,\n"
                        "verify, differences and failure (those a job has)"}},
           .run = showLog}};
}

}  // namespace kv::cli
