#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "model/failure.h"

namespace kv {

// One serial port as the port dialog and `kvprog-cli ports` show it.
struct PortInfo {
  QString device;  // what is opened: /dev/ttyUSB0, a pseudo-terminal, or COM3 on Windows
  QString description;
  QString manufacturer;
  QString serialNumber;
  std::optional<quint16> vendorId;  // a USB adapter's ids
  std::optional<quint16> productId;
  // A legacy UART whose chip the kernel reports as not there (the type TIOCGSERIAL gives is
  // PORT_UNKNOWN): a device node with nothing behind it.
  bool absent = false;

  bool isUsb() const { return vendorId && productId; }
  // "1a86:7523", or "-" for a port that is not a USB adapter.
  QString usbId() const;
  // What finds the port again after a re-plug, when its device name may have changed: the
  // USB ids and, where the adapter has one, its serial number; else the device path.
  QString identity() const;
  bool operator==(const PortInfo&) const = default;
};

// The system's serial ports, in any order. Tests put a fake listing in its place; an empty
// function puts the system's back.
using PortSource = std::function<QList<PortInfo>()>;
void setPortSource(PortSource source);

// The devices named in the environment variable KVPROG_PORTS, such as a kvsim pseudo-terminal
// that the system does not list: separated by commas, each trimmed. A value without a comma is
// one device when that path exists, else it is split on colons, as it was before stable names
// with colons (/dev/serial/by-path/...) could be named.
QStringList namedPorts();

// The ports in the port dialog's order: the named ports first, then USB adapters, then the rest,
// each group in name order (ttyUSB2 before ttyUSB10); legacy UARTs that are not there are left out.
// The port dialog's buttons COM1..COM4 stand for the first four.
QList<PortInfo> listPorts();
// The port at `device` as the system lists it now; only the device when it is not listed.
PortInfo listedPort(const QString& device);

// Where the port that `identity` names stands in `ports`. Of two alike adapters without
// serial numbers, the one still at `device` wins.
std::optional<int> findPort(const QList<PortInfo>& ports, const QString& identity,
                            const QString& device = {});

// The port the transfers use: its place in the list (DKH, 0 for COM1) and, once one has
// been chosen, what identifies it, so that it is found again however the list changes.
struct PortChoice {
  int index = 0;
  QString identity;  // empty: whichever port is listed at `index`
  QString device;    // where the chosen port was last seen

  static PortChoice of(const QList<PortInfo>& ports, int index);
  // Its place in `ports` now; nothing when it is not listed.
  std::optional<int> placeIn(const QList<PortInfo>& ports) const;
  // What it is called in `ports` (portCaption); a COM port that has gone keeps its own name.
  QString caption(const QList<PortInfo>& ports) const;
};

// The port dialog's buttons COM1..COM4.
constexpr int kPortButtons = 4;
// The port that the button COMn (`button` 0 for COM1) stands for. Where the ports have COM
// names (Windows) it is the port of that name, so a button is there when its port exists; else
// it is the n-th listed port.
std::optional<int> buttonPort(const QList<PortInfo>& ports, int button);
// The button (0 for COM1) that stands for the port at `index`, if any.
std::optional<int> portButton(const QList<PortInfo>& ports, int index);
// What the port at `index` is called to the user: its own COM name where it has one, else
// "COM6" for the sixth listed port.
QString portCaption(const QList<PortInfo>& ports, int index);

// What a port named by the user is called in the texts, the backups' names and the settings:
// "COM12" however a COM name was written ("com12", "\\.\COM12"), else the name as given.
QString canonicalPortName(const QString& name);

// The device a port name stands for: "COM1".."COM4" (any letter case, also as "\\.\COM3")
// name the port dialog's buttons, a higher COM name is that port (as canonicalPortName calls it);
// anything else is taken as a device path. Nothing when the button has no port
// behind it.
std::optional<QString> resolvePortName(const QString& name);

// A device that is not there.
Failure portNotFound(const QString& device);
// Why this user may not open `device`, found with access(2) without opening it (an open
// would toggle the modem lines of a radio on the cable); nothing when the user may.
std::optional<Failure> portAccessFailure(const QString& device);

}  // namespace kv
