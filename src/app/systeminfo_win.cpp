#include "app/frmabout.h"

namespace kv {

// Windows' own, in the system folder that every PATH holds.
QStringList frmAbout::systemInfoPrograms() { return {QStringLiteral("msinfo32")}; }

}  // namespace kv
