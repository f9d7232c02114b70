#include <windows.h>
// After windows.h, which they need.
#include <devguid.h>
#include <setupapi.h>

#include "link/hardwareid.h"
#include "link/systemports.h"

namespace kv {
namespace {

// A device registry property as text; empty when the device has none.
QString deviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t text[512] = {};
  if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                         reinterpret_cast<BYTE*>(text), sizeof text - 2, nullptr))
    return {};
  return QString::fromWCharArray(text);
}

// "COM3": the name the port class gives the device in its hardware key.
QString portName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  const HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) return {};
  wchar_t name[64] = {};
  DWORD size = sizeof name - 2;
  DWORD type = 0;
  const bool ok = RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name),
                                   &size) == ERROR_SUCCESS &&
                  type == REG_SZ;
  RegCloseKey(key);
  return ok ? QString::fromWCharArray(name) : QString();
}

// The ports class: friendly names, makers and, for USB adapters, their ids and serial number.
QList<PortInfo> setupApiPorts() {
  QList<PortInfo> ports;
  const HDEVINFO devices =
      SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return ports;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
    PortInfo port;
    port.device = portName(devices, device);
    if (!port.device.startsWith(QLatin1String("COM"))) continue;  // printer ports share the class
    port.description = deviceProperty(devices, device, SPDRP_FRIENDLYNAME);
    port.manufacturer = deviceProperty(devices, device, SPDRP_MFG);
    wchar_t instance[512] = {};
    if (SetupDiGetDeviceInstanceIdW(devices, &device, instance, 511, nullptr)) {
      const HardwareIds ids = parseHardwareId(QString::fromWCharArray(instance));
      port.vendorId = ids.vendorId;
      port.productId = ids.productId;
      port.serialNumber = ids.serialNumber;
    }
    ports << port;
  }
  SetupDiDestroyDeviceInfoList(devices);
  return ports;
}

// Every COM port the serial drivers have made, as the registry lists them; the one listing
// that Wine fills too.
QStringList registryPorts() {
  QStringList names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return names;
  for (DWORD i = 0;; ++i) {
    wchar_t value[256];
    wchar_t data[64] = {};
    DWORD valueSize = 256;
    DWORD dataSize = sizeof data - 2;
    DWORD type = 0;
    const LONG result = RegEnumValueW(key, i, value, &valueSize, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS && type == REG_SZ) names << QString::fromWCharArray(data);
  }
  RegCloseKey(key);
  return names;
}

}  // namespace

QList<PortInfo> systemPorts() {
  QList<PortInfo> ports = setupApiPorts();
  for (const QString& name : registryPorts()) {
    const bool known = std::any_of(ports.begin(), ports.end(),
                                   [&](const PortInfo& port) { return port.device == name; });
    if (known) continue;
    PortInfo port;
    port.device = name;
    ports << port;
  }
  return ports;
}

// Windows tells a busy or forbidden port only when it is opened.
std::optional<Failure> portAccessFailure(const QString&) { return std::nullopt; }

}  // namespace kv
