#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "image/disksync.h"

namespace kv {

std::optional<QString> syncToDisk(QFileDevice& file) {
  if (::fsync(file.handle()) != 0) return QString::fromLocal8Bit(std::strerror(errno));
  return std::nullopt;
}

}  // namespace kv
