#include "link/serialportfactory.h"

#include "link/systemserialport.h"

namespace kv {

std::unique_ptr<SerialPort> makeSerialPort() { return std::make_unique<SystemSerialPort>(); }

}  // namespace kv
