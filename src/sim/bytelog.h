#pragma once

#include <QByteArray>
#include <QString>

namespace kv::sim {

// Every byte both ways, one line per burst with the milliseconds since the log was opened:
// "153 pc 52 00 00 08".
class ByteLog {
 public:
  // Starts the file empty; false, with a complaint on stderr, when it cannot be written.
  bool open(const QString& path);
  void bytes(const char* who, const QByteArray& bytes);
  // A line of text; a log that cannot be written says so once and stops.
  void add(const QString& text);

 private:
  QString path_;
  qint64 start_ = 0;
};

}  // namespace kv::sim
