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
};

// Reads the whole input at `path` — a regular file, a pipe, a FIFO or a device alike — as long
// as it holds at most `limit` bytes.
BoundedRead readFileBounded(const QString& path, qint64 limit);

}  // namespace kv
