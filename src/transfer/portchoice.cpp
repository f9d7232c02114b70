#include "transfer/portchoice.h"

#include <QCoreApplication>
#include <QStatusBar>

#include "link/portlist.h"
#include "link/serialport.h"
#include "transfer/frmdk.h"
#include "ui/usersettings.h"

namespace kv {
namespace {

PortChoice& chosen() {
  static PortChoice choice;
  return choice;
}

}  // namespace

void restoreRememberedPort() {
  // Ports named for this run (an emulator) are what the run is started for: COM1 is the
  // first of them.
  chosen() = namedPorts().isEmpty() ? UserSettings().port(listPorts()) : PortChoice{};
}

void runPortDialog(QWidget* parent, QStatusBar* status) {
  // Between transfers the port is always closed: each transfer opens and closes its own.
  frmDK dialog(chosen(), parent);
  dialog.exec();
  chosen() = dialog.choice();
  UserSettings().setPort(chosen());
  if (status) status->showMessage(currentPortText());
}

int currentPortIndex() { return chosen().placeIn(listPorts()).value_or(chosen().index); }

QString currentPortName() { return portCaption(listPorts(), currentPortIndex()); }

QString currentPortText() {
  const QList<PortInfo> ports = listPorts();
  const auto place = chosen().placeIn(ports);
  const QString name = chosen().caption(ports);
  if (!place) return QCoreApplication::translate("kv::PortChoice", "%1：没有此端口").arg(name);
  const QString& device = ports[*place].device;
  return device == name ? name
                        : QCoreApplication::translate("kv::PortChoice", "%1：%2").arg(name, device);
}

std::variant<QString, Failure> currentPortDevice() {
  const QList<PortInfo> ports = listPorts();
  if (const auto place = chosen().placeIn(ports)) return ports[*place].device;
  // A chosen port that is not plugged in now is named by where it was last seen.
  if (!chosen().identity.isEmpty()) return portNotFound(chosen().device);
  return Failure{
      errnum::kPortNotFound,
      QCoreApplication::translate("kv::PortChoice", "没有端口COM%1").arg(chosen().index + 1)};
}

}  // namespace kv
