#pragma once

#include <QSettings>

#include "link/portlist.h"

namespace kv {

// The user's own settings, kept by QSettings in the user's configuration folder
// (~/.config/kvprog/kvprog.conf) and shared by every program of the suite. The radio bands
// are not among them: those live in "Sfc.ini".
class UserSettings {
 public:
  UserSettings();

  // The port chosen in the port dialog of an earlier run, found in `ports`; COM1 (the
  // first listed) when none was chosen or the chosen one is not plugged in.
  PortChoice port(const QList<PortInfo>& ports) const;
  // Remembers a chosen port by what identifies it, not by its place in today's list.
  void setPort(const PortChoice& port);

 private:
  QSettings settings_;
};

}  // namespace kv
