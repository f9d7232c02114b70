#include "image/joblog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>

#include "image/atomicfile.h"
#include "image/boundedreader.h"

namespace kv {
namespace {

// The log's lines are a few hundred bytes, 20,000 of them a few megabytes: a log past this
// size was not written by this program.
constexpr qint64 kMaxJobLogSize = qint64(64) << 20;
// How long an append waits for another program's to end.
constexpr int kTurnMs = 5000;

struct TextKey {
  const char* name;
  QString JobEntry::*field;
};
const TextKey kTextKeys[] = {
    {"action", &JobEntry::action}, {"outcome", &JobEntry::outcome}, {"port", &JobEntry::port},
    {"device", &JobEntry::device}, {"usb_id", &JobEntry::usbId},    {"serial", &JobEntry::serial},
    {"model", &JobEntry::model},   {"sha256", &JobEntry::sha256},   {"backup", &JobEntry::backup},
    {"verify", &JobEntry::verify}, {"failure", &JobEntry::failure}};

// Where the newest `count` lines of `log` (each ended by "\n") begin.
qsizetype newestLines(const QByteArray& log, int count) {
  qsizetype start = log.size();
  for (int i = 0; i < count && start > 0; ++i) start = log.lastIndexOf('\n', start - 2) + 1;
  return start;
}

}  // namespace

QString jobLogPath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("jobs.jsonl"));
}

QByteArray jobLogLine(const JobEntry& entry) {
  QJsonObject object{{QStringLiteral("time"), entry.time.toString(Qt::ISODate)}};
  for (const TextKey& key : kTextKeys)
    if (!(entry.*key.field).isEmpty()) object.insert(QLatin1String(key.name), entry.*key.field);
  if (!entry.verify.isEmpty() || entry.differences != 0)
    object.insert(QStringLiteral("differences"), entry.differences);
  return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QList<JobEntry> parseJobLog(const QByteArray& text) {
  QList<JobEntry> entries;
  for (qsizetype from = 0; from < text.size();) {
    qsizetype end = text.indexOf('\n', from);
    if (end < 0) end = text.size();
    const QByteArray line = text.sliced(from, end - from);
    from = end + 1;
    const QJsonDocument document = QJsonDocument::fromJson(line);
    if (!document.isObject()) continue;
    const QJsonObject object = document.object();
    JobEntry entry;
    entry.time =
        QDateTime::fromString(object.value(QStringLiteral("time")).toString(), Qt::ISODate);
    for (const TextKey& key : kTextKeys)
      entry.*key.field = object.value(QLatin1String(key.name)).toString();
    if (!entry.time.isValid() || entry.action.isEmpty() || entry.outcome.isEmpty()) continue;
    // The log keeps whole seconds.
    entry.time = entry.time.addMSecs(-entry.time.time().msec());
    entry.differences = object.value(QStringLiteral("differences")).toInt();
    entries.append(entry);
  }
  return entries;
}

JobLogRead readJobLog(const QString& path) {
  JobLogRead read;
  const BoundedRead log = readFileBounded(path, kMaxJobLogSize);
  if (log.ok())
    read.entries = parseJobLog(log.bytes);
  else if (log.status != BoundedRead::Status::NotFound)
    read.error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), log.reasonText());
  return read;
}

namespace {

std::optional<QString> append(const JobEntry& entry, const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder))
    return QCoreApplication::translate("kv::JobLog", "无法创建文件夹“%1”")
        .arg(QDir::toNativeSeparators(folder));
  // A cut by one program must not drop the line another appends meanwhile.
  QLockFile turn(path + QStringLiteral(".lock"));
  turn.setStaleLockTime(0);  // stale only once the program that took it has ended
  if (!turn.tryLock(kTurnMs))
    return QCoreApplication::translate("kv::JobLog", "另一个程序正在写入");

  const QByteArray line = jobLogLine(entry);
  const BoundedRead log = readFileBounded(path, kMaxJobLogSize);
  if (log.status == BoundedRead::Status::NotFound) return appendToFile(path, line);
  if (!log.ok() && log.status != BoundedRead::Status::TooLarge) return log.reasonText();
  // A line cut short by a full disk is ended before this one.
  const QByteArray end = log.bytes.isEmpty() || log.bytes.endsWith('\n') ? "" : "\n";
  if (log.ok() && log.bytes.count('\n') < kJobLogLimit) return appendToFile(path, end + line);
  // Cut; one too large to be a log of this program's starts anew.
  return writeFileAtomically(
      path, log.bytes.sliced(newestLines(log.bytes, kJobLogKept - 1)) + end + line);
}

}  // namespace

std::optional<QString> appendToJobLog(const JobEntry& entry, const QString& path) {
  const auto error = append(entry, path);
  if (!error) return std::nullopt;
  return QCoreApplication::translate("kv::JobLog", "无法写入写频记录“%1”：%2")
      .arg(QDir::toNativeSeparators(path), *error);
}

}  // namespace kv
