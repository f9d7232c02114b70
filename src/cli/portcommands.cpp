#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/command.h"
#include "link/portlist.h"

namespace kv::cli {
namespace {

int ports(const Call& call) {
  const bool json = call.isSet(QStringLiteral("json"));
  const QList<PortInfo> list = listPorts();
  QJsonArray array;
  // The columns' names, as scripts may look for them: the same in every language.
  QString text = QStringLiteral("BUTTON\tDEVICE\tDESCRIPTION\tMANUFACTURER\tUSB_ID\tSTATUS\n");
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
          {"vid", usbIdJson(port.vendorId)},
          {"pid", usbIdJson(port.productId)},
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
  return {{.name = "ports",
           .summary = "List the serial ports, in the order of the port dialog's buttons.",
           .about =
               "A header line, then one tab-separated line per port: the button (COM1..COM4, or -\n"
               "beyond four), the device, its description, its manufacturer, the USB\n"
               "vendor:product id, and \"ok\" or why this user cannot open it (- stands for what\n"
               "the system does not say).\n"
               "Devices named in KVPROG_PORTS come first, then USB adapters, then the other\n"
               "ports. KVPROG_PORTS holds devices separated by \",\", each trimmed of spaces; a\n"
               "value without \",\" is one device when that path exists (a stable name such as\n"
               "/dev/serial/by-path/pci-0000:00:14.0-usb-0:1:1.0-port0 holds colons), else it is\n"
               "split on \":\" as in earlier versions. No port is opened: opening one would\n"
               "toggle the modem lines of a radio on the cable.\n\n",
           .options = {{"json", "",
                        "a JSON array of objects with the keys button, device, description,\n"
                        "manufacturer, vid, pid, serial, usable and reason (button, vid, pid\n"
                        "and reason are null where there is none)"}},
           .run = ports}};
}

}  // namespace kv::cli
