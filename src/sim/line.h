#pragma once

#include <QtGlobal>

namespace kv::sim {

// A line at a given baud rate: each byte takes ten bit times, one after the other.
class Line {
 public:
  explicit Line(int baud) : byteNs_(baud > 0 ? 10'000'000'000LL / baud : 0) {}
  // Waits until `count` bytes that start now (or once the line is free) have fully crossed.
  // `freeAt` is when the line's direction is free again; a rate of 0 never waits.
  void cross(qint64& freeAt, int count) const;

 private:
  qint64 byteNs_;
};

}  // namespace kv::sim
