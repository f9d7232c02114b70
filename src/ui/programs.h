#pragma once

#include <QString>
#include <QStringList>

namespace kv::programs {

// Other programs the window starts (the system's information) go through here, so that tests
// can see what would have started without starting it.

// Starts the first of the programs `names` that is found on the PATH, on its own: it runs on
// after this program ends. False when none of them is there or it would not start.
bool startFirstOf(const QStringList& names);

// --- Test seam -----------------------------------------------------------------------
// In test mode nothing is started: the program found is recorded, and counts as started.
void setTestMode(bool on);
const QStringList& started();

}  // namespace kv::programs
