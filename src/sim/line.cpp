#include "sim/line.h"

#include <algorithm>

#include "sim/monotonic.h"

namespace kv::sim {

void Line::cross(qint64& freeAt, int count) const {
  if (byteNs_ == 0) return;
  freeAt = std::max(freeAt, nowNs()) + count * byteNs_;
  sleepUntil(freeAt);
}

}  // namespace kv::sim
