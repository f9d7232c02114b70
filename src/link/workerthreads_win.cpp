#include <QByteArray>

#include "link/workerthreads.h"

namespace kv {

// A worker matches regular expressions (port names, backups' names), and Qt keeps one
// thread-local stack per thread for its compiled (JIT) expressions. The MinGW runtime ends a
// thread's thread-local objects only after it has freed the storage that holds them: the
// stack's destructor then frees a pointer read from freed memory, crashes inside the
// runtime's thread exit and leaves the runtime's lock of thread-local keys taken. The
// program's window closes, but its process then waits for that lock forever while the C++
// runtime unloads. Without the JIT the stack is never made; the expressions are small.
void prepareWorkerThreads() { qputenv("QT_ENABLE_REGEXP_JIT", QByteArrayLiteral("0")); }

}  // namespace kv
