#pragma once

#include <QString>
#include <optional>

namespace kv {

// What a Windows device instance id tells of a serial port's adapter.
struct HardwareIds {
  std::optional<quint16> vendorId;  // a USB adapter's ids
  std::optional<quint16> productId;
  QString serialNumber;  // the adapter's own, where it has one
};

// Reads the ids out of a device instance id as the system lists it:
// "USB\VID_1A86&PID_7523\5&2C7A1B0&0&2" (a last part with "&" is made up by Windows, not the
// adapter's serial number), "FTDIBUS\VID_0403+PID_6001+A50285BI\0000" (the FTDI driver's own
// form, the serial number after the ids). Any other bus (Bluetooth's "BTHENUM\…", a
// motherboard's "ACPI\PNP0501\1") gives nothing.
HardwareIds parseHardwareId(const QString& instanceId);

}  // namespace kv
