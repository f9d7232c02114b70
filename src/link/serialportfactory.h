#pragma once

#include <memory>

#include "link/serialport.h"

namespace kv {

// This platform's serial port, closed. Create it in the thread that runs the transfers: the
// port belongs to that thread.
std::unique_ptr<SerialPort> makeSerialPort();

}  // namespace kv
