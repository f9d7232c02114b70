#include "link/portholders.h"

namespace kv {

// Windows tells only that a port is in use, not by whom.
QList<PortHolder> portHolders(const QString&) { return {}; }

QList<PortHolder> portTakers() { return {}; }

}  // namespace kv
