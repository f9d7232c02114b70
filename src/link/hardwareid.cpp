#include "link/hardwareid.h"

#include <QRegularExpression>

namespace kv {

HardwareIds parseHardwareId(const QString& instanceId) {
  static const QRegularExpression usb(
      QStringLiteral(R"(^USB\\VID_([0-9A-F]{4})&PID_([0-9A-F]{4})(&[^\\]*)?\\([^\\]*)$)"),
      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression ftdi(
      QStringLiteral(R"(^FTDIBUS\\VID_([0-9A-F]{4})\+PID_([0-9A-F]{4})\+([^\\]*)\\)"),
      QRegularExpression::CaseInsensitiveOption);
  HardwareIds ids;
  QRegularExpressionMatch match = usb.match(instanceId);
  QString serial;
  if (match.hasMatch()) {
    serial = match.captured(4);
    // One interface of a composite device ("&MI_00") or a number Windows made up.
    if (!match.captured(3).isEmpty() || serial.contains(QLatin1Char('&'))) serial.clear();
  } else if (match = ftdi.match(instanceId); match.hasMatch()) {
    serial = match.captured(3);
  } else {
    return ids;
  }
  ids.vendorId = match.captured(1).toUShort(nullptr, 16);
  ids.productId = match.captured(2).toUShort(nullptr, 16);
  ids.serialNumber = serial;
  return ids;
}

}  // namespace kv
