#include "link/cablechips.h"

namespace kv {

std::optional<CableChip> cableChip(quint16 vendorId, quint16 productId) {
  static constexpr struct {
    quint16 vendorId;
    quint16 productId;
    CableChip chip;
  } kChips[] = {
      {0x1a86, 0x7523, {"CH340", "CH341SER"}},
      {0x1a86, 0x5523, {"CH341", "CH341SER"}},
      {0x1a86, 0x55d4, {"CH9102", "CH343SER"}},
      {0x067b, 0x2303, {"PL2303", "Prolific PL2303"}},
      {0x067b, 0x23a3, {"PL2303GC", "Prolific PL2303"}},
      {0x0403, 0x6001, {"FTDI FT232R", "FTDI VCP"}},
      {0x0403, 0x6015, {"FTDI FT231X", "FTDI VCP"}},
      {0x10c4, 0xea60, {"CP210x", "Silicon Labs CP210x VCP"}},
      // A CDC-ACM device: Windows 10 and later bring its driver, usbser.
      {0x0483, 0x5740, {"CDC-ACM", "usbser (Windows 10+)"}},
  };
  for (const auto& entry : kChips)
    if (entry.vendorId == vendorId && entry.productId == productId) return entry.chip;
  return std::nullopt;
}

}  // namespace kv
