#pragma once

namespace kv {

// Makes the process ready for the link's worker threads (the window's transfer, each radio
// of a batch) to end cleanly. Called first thing in main(), before any regular expression is
// compiled. Each platform has its own.
void prepareWorkerThreads();

}  // namespace kv
