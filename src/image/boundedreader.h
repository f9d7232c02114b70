#pragma once

#include <QByteArray>
#include <QString>

namespace kv {

// Every input the programs read goes through here, so that no file, pipe or device can make
// them read without end.
struct BoundedRead {
  enum class Status { Ok, NotFound, IsDirectory, TooLarge, Failed };
  Status status = Status::Ok;
  QByteArray bytes;  // the whole input when Ok
  QString reason;    // why not, in words: "no such file", "is a directory", "too large", ...
  bool ok() const { return status == Status::Ok; }
  // `reason` in the current language, for the user; the system's own words where it gave them.
  QString reasonText() const;
};

// The limit for the inputs the programs take: channel files, the settings file, JSON and CSV
// tables are a few kilobytes at most; past this much an input is none of them, and reading on
// through a huge one would only keep the user waiting.
constexpr qint64 kMaxInputSize = 1 << 20;

// Reads the whole input at `path` — a regular file, a pipe, a FIFO or a device alike — as long
// as it holds at most `limit` bytes.
BoundedRead readFileBounded(const QString& path, qint64 limit);

}  // namespace kv
