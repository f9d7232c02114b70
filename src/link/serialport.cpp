#include "link/serialport.h"

#include <QCoreApplication>

namespace kv {

Failure portNotOpen() {
  return {errnum::kPortNotOpen,
          QCoreApplication::translate("kv::SerialPort", "只有当端口打开时操作才有效")};
}

}  // namespace kv
