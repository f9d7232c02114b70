#pragma once

#include <QtGlobal>
#include <optional>

namespace kv {

// The chip of a USB programming cable and the driver it needs on Windows (Linux has them all
// built in).
struct CableChip {
  const char* name;    // "CH340"
  const char* driver;  // "CH341SER"
};

// The chip behind the usual programming cables' USB ids; nothing for any other adapter.
std::optional<CableChip> cableChip(quint16 vendorId, quint16 productId);

}  // namespace kv
