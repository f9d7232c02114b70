#include <unistd.h>
#include <QCoreApplication>

#include <QFile>
#include <QSerialPortInfo>
#include <cerrno>
#include <cstring>

#include "image/boundedreader.h"
#include "link/serialport.h"
#include "link/systemports.h"

namespace kv {
namespace {

// A legacy UART the kernel lists although no chip answers at its address: the "type" the
// serial core shows in sysfs (the one TIOCGSERIAL reports) is 0, PORT_UNKNOWN. Read from
// sysfs, so the port is never opened for it.
bool uartAbsent(const QString& portName) {
  if (!portName.startsWith(QLatin1String("ttyS"))) return false;
  const BoundedRead type =
      readFileBounded(QStringLiteral("/sys/class/tty/%1/type").arg(portName), 64);
  return type.ok() && type.bytes.trimmed() == "0";
}

}  // namespace

QList<PortInfo> systemPorts() {
  QList<PortInfo> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    PortInfo port;
    port.device = info.systemLocation();
    port.description = info.description();
    port.manufacturer = info.manufacturer();
    port.serialNumber = info.serialNumber();
    if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
      port.vendorId = info.vendorIdentifier();
      port.productId = info.productIdentifier();
    }
    port.absent = uartAbsent(info.portName());
    ports << port;
  }
  return ports;
}

std::optional<Failure> portAccessFailure(const QString& device) {
  if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0) return std::nullopt;
  const int error = errno;
  if (error == ENOENT || error == ENOTDIR) return portNotFound(device);
  // The serial layer reports a port it may not open and a port in use alike (8005); only
  // the first is mended by the user's groups.
  if (error == EACCES || error == EPERM || error == EROFS)
    return Failure{
        errnum::kPortBusy,
        QCoreApplication::translate("kv::PortList",
                                    "没有权限打开%1。请把当前用户加入 dialout 组（sudo usermod "
                                    "-aG dialout $USER），然后重新登录。")
            .arg(device)};
  return portOpenFailed(device, QString::fromLocal8Bit(std::strerror(error)));
}

}  // namespace kv
