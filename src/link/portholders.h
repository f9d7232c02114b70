#pragma once

#include <QList>
#include <QString>

namespace kv {

// A program that has a port open.
struct PortHolder {
  qint64 pid = 0;
  QString name;  // the name it was started under, without its folder: "brltty", "ModemManager"
  bool operator==(const PortHolder&) const = default;
};

// The other programs that have `device` open, as far as the system shows them to this user
// (on Linux through /proc: this user's programs, or every program for root; Windows shows
// none). The program at a pseudo-terminal's far end, such as kvsim, is the line's other end
// and does not count.
QList<PortHolder> portHolders(const QString& device);

// The running programs known to take USB serial adapters for their own (brltty, the braille
// display service, and ModemManager): named as likely holders of a busy port whose holder the
// system does not show.
QList<PortHolder> portTakers();

}  // namespace kv
