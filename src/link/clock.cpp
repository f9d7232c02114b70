#include "link/clock.h"

#include <QThread>

namespace kv {

void SystemClock::sleep(int msecs) { QThread::msleep(msecs); }

}  // namespace kv
