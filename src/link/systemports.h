#pragma once

#include <QList>

#include "link/portlist.h"

namespace kv {

// The serial ports the system lists, in any order; each platform has its own listing.
QList<PortInfo> systemPorts();

}  // namespace kv
