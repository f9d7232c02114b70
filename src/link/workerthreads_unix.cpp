#include "link/workerthreads.h"

namespace kv {

// The C library ends a thread's thread-local objects while the thread's storage still holds
// them: nothing to prepare.
void prepareWorkerThreads() {}

}  // namespace kv
