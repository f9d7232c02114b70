#include "ui/usersettings.h"

#include <QCoreApplication>

namespace kv {
namespace {

const QString kPortIdentity = QStringLiteral("port/identity");
const QString kPortDevice = QStringLiteral("port/device");

}  // namespace

UserSettings::UserSettings()
    : settings_(QCoreApplication::applicationName(), QCoreApplication::applicationName()) {}

PortChoice UserSettings::port(const QList<PortInfo>& ports) const {
  const PortChoice remembered{0, settings_.value(kPortIdentity).toString(),
                              settings_.value(kPortDevice).toString()};
  if (remembered.identity.isEmpty()) return {};
  const auto place = remembered.placeIn(ports);
  return place ? PortChoice::of(ports, *place) : PortChoice{};
}

void UserSettings::setPort(const PortChoice& port) {
  if (port.identity.isEmpty()) return;
  settings_.setValue(kPortIdentity, port.identity);
  settings_.setValue(kPortDevice, port.device);
}

}  // namespace kv
