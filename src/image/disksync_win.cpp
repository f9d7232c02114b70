#include <io.h>
#include <windows.h>

#include "image/disksync.h"

namespace kv {

std::optional<QString> syncToDisk(QFileDevice& file) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
  if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle))
    return qt_error_string(static_cast<int>(GetLastError()));
  return std::nullopt;
}

}  // namespace kv
