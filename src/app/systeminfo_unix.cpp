#include "app/frmabout.h"

namespace kv {

QStringList frmAbout::systemInfoPrograms() {
  return {QStringLiteral("hardinfo"), QStringLiteral("gnome-system-monitor"),
          QStringLiteral("kinfocenter")};
}

}  // namespace kv
