#include "link/serialportfactory.h"
#include "link/win32serialport.h"

namespace kv {

std::unique_ptr<SerialPort> makeSerialPort() { return std::make_unique<Win32SerialPort>(); }

}  // namespace kv
