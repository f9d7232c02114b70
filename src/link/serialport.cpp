#include "link/serialport.h"

namespace kv {

Failure portNotOpen() {
  return {errnum::kPortNotOpen, QStringLiteral("只有当端口打开时操作才有效")};
}

}  // namespace kv
