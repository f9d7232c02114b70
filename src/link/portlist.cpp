#include "link/portlist.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "link/serialport.h"
#include "link/systemports.h"

namespace kv {
namespace {

PortSource& source() {
  static PortSource current;
  return current;
}

// Name order with numbers taken as numbers, so ttyUSB2 comes before ttyUSB10.
bool nameLess(const QString& a, const QString& b) {
  qsizetype i = 0;
  qsizetype j = 0;
  while (i < a.size() && j < b.size()) {
    if (a[i].isDigit() && b[j].isDigit()) {
      const qsizetype startA = i;
      const qsizetype startB = j;
      while (i < a.size() && a[i].isDigit()) ++i;
      while (j < b.size() && b[j].isDigit()) ++j;
      const QStringView numberA = QStringView(a).sliced(startA, i - startA);
      const QStringView numberB = QStringView(b).sliced(startB, j - startB);
      if (numberA.size() != numberB.size()) return numberA.size() < numberB.size();
      if (numberA != numberB) return numberA < numberB;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

}  // namespace

QString PortInfo::usbId() const {
  if (!isUsb()) return QStringLiteral("-");
  return QStringLiteral("%1:%2")
      .arg(*vendorId, 4, 16, QLatin1Char('0'))
      .arg(*productId, 4, 16, QLatin1Char('0'));
}

QString PortInfo::identity() const {
  if (!isUsb()) return device;
  const QString ids = QStringLiteral("usb:") + usbId();
  return serialNumber.isEmpty() ? ids : ids + QLatin1Char(':') + serialNumber;
}

void setPortSource(PortSource replacement) { source() = std::move(replacement); }

QStringList namedPorts() {
  const QString value = qEnvironmentVariable("KVPROG_PORTS").trimmed();
  // Stable device names (/dev/serial/by-path/pci-0000:00:14.0-usb-0:1:1.0-port0) hold colons,
  // so a single existing path is one device; other values without a comma keep the old
  // colon-separated form.
  if (!value.contains(QLatin1Char(',')) && QFileInfo::exists(value)) return {value};
  const QChar separator = value.contains(QLatin1Char(',')) ? QLatin1Char(',') : QLatin1Char(':');
  QStringList devices;
  for (const QString& entry : value.split(separator, Qt::SkipEmptyParts))
    if (const QString device = entry.trimmed(); !device.isEmpty()) devices << device;
  return devices;
}

QList<PortInfo> listPorts() {
  QList<PortInfo> ports;
  // Lines the system does not list, such as an emulator's pseudo-terminal, come first.
  for (const QString& device : namedPorts()) {
    PortInfo named;
    named.device = device;
    ports << named;
  }
  QList<PortInfo> system = source() ? source()() : systemPorts();
  system.removeIf([&](const PortInfo& port) {
    return port.absent || std::any_of(ports.begin(), ports.end(), [&](const PortInfo& named) {
             return named.device == port.device;
           });
  });
  // A USB cable sorts before the legacy ports, so it stays within the four buttons however
  // many of those the system lists.
  std::sort(system.begin(), system.end(), [](const PortInfo& a, const PortInfo& b) {
    if (a.isUsb() != b.isUsb()) return a.isUsb();
    return nameLess(a.device, b.device);
  });
  return ports + system;
}

std::optional<int> findPort(const QList<PortInfo>& ports, const QString& identity,
                            const QString& device) {
  std::optional<int> found;
  for (int i = 0; i < ports.size(); ++i) {
    if (ports[i].identity() != identity) continue;
    if (ports[i].device == device) return i;
    if (!found) found = i;
  }
  return found;
}

PortChoice PortChoice::of(const QList<PortInfo>& ports, int index) {
  if (index < 0 || index >= ports.size()) return {index, {}, {}};
  return {index, ports[index].identity(), ports[index].device};
}

std::optional<int> PortChoice::placeIn(const QList<PortInfo>& ports) const {
  if (!identity.isEmpty()) return findPort(ports, identity, device);
  if (index >= 0 && index < ports.size()) return index;
  return std::nullopt;
}

namespace {

// The number of a COM name ("com7" is 7, and so is "\\.\COM7", the form that opens every
// port); 0 for any other name.
int comNumber(const QString& name) {
  static const QRegularExpression com(QStringLiteral(R"(^(?:\\\\\.\\)?COM([1-9][0-9]*)$)"),
                                      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = com.match(name);
  return match.hasMatch() ? match.captured(1).toInt() : 0;
}

bool comNamed(const QList<PortInfo>& ports) {
  return std::any_of(ports.begin(), ports.end(),
                     [](const PortInfo& port) { return comNumber(port.device) > 0; });
}

}  // namespace

std::optional<int> buttonPort(const QList<PortInfo>& ports, int button) {
  if (button < 0 || button >= kPortButtons) return std::nullopt;
  if (!comNamed(ports)) return button < ports.size() ? std::optional<int>(button) : std::nullopt;
  for (int i = 0; i < ports.size(); ++i)
    if (comNumber(ports[i].device) == button + 1) return i;
  return std::nullopt;
}

std::optional<int> portButton(const QList<PortInfo>& ports, int index) {
  if (index < 0 || index >= ports.size()) return std::nullopt;
  const int button = comNamed(ports) ? comNumber(ports[index].device) - 1 : index;
  if (button < 0 || button >= kPortButtons) return std::nullopt;
  return button;
}

QString PortChoice::caption(const QList<PortInfo>& ports) const {
  if (const auto place = placeIn(ports)) return portCaption(ports, *place);
  if (comNumber(device) > 0) return canonicalPortName(device);
  return portCaption(ports, index);
}

QString portCaption(const QList<PortInfo>& ports, int index) {
  if (index >= 0 && index < ports.size() && comNumber(ports[index].device) > 0)
    return canonicalPortName(ports[index].device);
  return QStringLiteral("COM%1").arg(index + 1);
}

QString canonicalPortName(const QString& name) {
  const int number = comNumber(name);
  return number > 0 ? QStringLiteral("COM%1").arg(number) : name;
}

std::optional<QString> resolvePortName(const QString& name) {
  const int number = comNumber(name);
  if (number < 1) return name;
  if (number > kPortButtons) return canonicalPortName(name);
  const QList<PortInfo> ports = listPorts();
  const auto index = buttonPort(ports, number - 1);
  if (!index) return std::nullopt;
  return ports[*index].device;
}

Failure portNotFound(const QString& device) {
  return {errnum::kPortNotFound,
          QCoreApplication::translate("kv::PortList", "端口“%1”不存在").arg(device)};
}

PortInfo listedPort(const QString& device) {
  for (const PortInfo& port : listPorts())
    if (port.device == device) return port;
  PortInfo port;
  port.device = device;
  return port;
}

}  // namespace kv
