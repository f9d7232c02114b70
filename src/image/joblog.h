#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace kv {

// The job log: one line for every write, read and comparison of a radio, by the window, its
// batch dialog and kvprog-cli alike, so that at the end of a day it says which radio got what.
// It is "jobs.jsonl" in the data folder, beside the backups: one JSON object a line.
struct JobEntry {
  QDateTime time;       // with the offset from UTC of the place it was written at
  QString action;       // "write", "read" or "compare"
  QString outcome;      // "ok", "failed", "cancelled" or "refused"
  QString port;         // as the user named it: "COM1", "/dev/ttyUSB0"
  QString device;       // what was opened
  QString usbId;        // "1a86:7523", for a USB adapter
  QString serial;       // the adapter's serial number, where it has one
  QString model;        // the model the image names
  QString sha256;       // of the image written (or meant to be) or read, in hex
  QString backup;       // a file name in the backups folder
  QString verify;       // a verify's result, "ok" or "differs"; empty when none finished
  int differences = 0;  // fields (or bytes) that differ
  QString failure;      // why not, as the user was told
  bool operator==(const JobEntry&) const = default;
};

// Past kJobLogLimit lines the log is cut to its newest kJobLogKept.
constexpr int kJobLogLimit = 20000;
constexpr int kJobLogKept = 10000;

// jobs.jsonl in the user's data folder.
QString jobLogPath();

// The entry as a line of the log, "\n" included.
QByteArray jobLogLine(const JobEntry& entry);
// The entries of a log's text, oldest first. A line that is not an entry (a line cut short by
// a full disk, another program's) is passed over.
QList<JobEntry> parseJobLog(const QByteArray& text);

struct JobLogRead {
  QList<JobEntry> entries;       // oldest first
  std::optional<QString> error;  // why the log could not be read; a missing log is an empty one
};
// The log at `path`, through the bounded reader.
JobLogRead readJobLog(const QString& path = jobLogPath());

// Appends `entry` to the log at `path` (made with its folder when missing) through the checked
// appender, and cuts the log when it has grown past its limit. Programs running at once take
// turns. When it could not, what the user is told: "无法写入写频记录“…”：" and why.
std::optional<QString> appendToJobLog(const JobEntry& entry, const QString& path = jobLogPath());

}  // namespace kv
