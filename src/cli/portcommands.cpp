#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/command.h"
#include "link/portlist.h"

namespace kv::cli {
namespace {

QString orDash(const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; }

QJsonValue hexOrNull(const std::optional<quint16>& id) {
  if (!id) return QJsonValue::Null;
  return QStringLiteral("%1").arg(*id, 4, 16, QLatin1Char('0'));
}

int ports(const QStringList& args) {
  const bool json = args == QStringList{QStringLiteral("--json")};
  if (!args.isEmpty() && !json) return fail(QStringLiteral("ports takes no arguments but --json"));
  const QList<PortInfo> list = listPorts();
  QJsonArray array;
  QString text;
  for (int i = 0; i < list.size(); ++i) {
    const PortInfo& port = list[i];
    const auto number = portButton(list, i);
    const QString button = number ? QStringLiteral("COM%1").arg(*number + 1) : QString();
    const auto failure = portAccessFailure(port.device);
    if (json) {
      array.append(QJsonObject{
          {"button", button.isEmpty() ? QJsonValue::Null : QJsonValue(button)},
          {"device", port.device},
          {"description", port.description},
          {"manufacturer", port.manufacturer},
          {"vid", hexOrNull(port.vendorId)},
          {"pid", hexOrNull(port.productId)},
          {"serial", port.serialNumber},
          {"usable", !failure},
          {"reason", failure ? QJsonValue(failure->description) : QJsonValue::Null},
      });
    } else {
      text += QStringList{orDash(button),
                          port.device,
                          orDash(port.description),
                          orDash(port.manufacturer),
                          port.usbId(),
                          failure ? failure->description : QStringLiteral("ok")}
                  .join(QLatin1Char('\t')) +
              QLatin1Char('\n');
    }
  }
  print(json ? QString::fromUtf8(QJsonDocument(array).toJson()) : text);
  return 0;
}

}  // namespace

QList<Command> portCommands() {
  return {{QStringLiteral("ports"), QStringLiteral("ports [--json]"),
           QStringLiteral("List the serial ports, in the order of the port dialog's buttons."),
           QStringLiteral(
               "One tab-separated line per port: the button (COM1..COM4, or - beyond four), the\n"
               "device, its description, its manufacturer, the USB vendor:product id, and \"ok\"\n"
               "or why this user cannot open it (- stands for what the system does not say).\n"
               "Devices named in KVPROG_PORTS (colon-separated) come first, then USB adapters,\n"
               "then the other ports. No port is opened: opening one would toggle the modem\n"
               "lines of a radio on the cable.\n\n"
               "Options:\n"
               "  --json   a JSON array of objects with the keys button, device, description,\n"
               "           manufacturer, vid, pid, serial, usable and reason (button, vid, pid\n"
               "           and reason are null where there is none)\n"),
           ports}};
}

}  // namespace kv::cli
