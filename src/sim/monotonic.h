#pragma once

#include <QtGlobal>

namespace kv::sim {

// Nanoseconds on the monotonic clock.
qint64 nowNs();

// Sleeps until `ns` on that clock, or until a stop is requested.
void sleepUntil(qint64 ns);

// SIGINT and SIGTERM ask the emulator to stop: waits end early and the serving loop ends.
void stopOnSignals();
bool stopRequested();

}  // namespace kv::sim
