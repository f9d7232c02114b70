#include "link/serialport.h"

#include <QCoreApplication>

namespace kv {

Failure portNotOpen() {
  return {errnum::kPortNotOpen,
          QCoreApplication::translate("kv::SerialPort", "只有当端口打开时操作才有效")};
}

// The port classes of every platform give these words.
Failure portBusy(const QString& device, const QString& reason) {
  return {errnum::kPortBusy,
          QCoreApplication::translate("kv::SystemSerialPort", "端口“%1”已被占用或无权使用（%2）")
              .arg(device, reason)};
}

Failure portOpenFailed(const QString& device, const QString& reason) {
  return {errnum::kPortIo,
          QCoreApplication::translate("kv::SystemSerialPort", "无法打开端口“%1”：%2")
              .arg(device, reason)};
}

}  // namespace kv
