#include "sim/monotonic.h"

#include <cerrno>
#include <csignal>
#include <ctime>

namespace kv::sim {
namespace {

volatile std::sig_atomic_t stopFlag = 0;
void onSignal(int) { stopFlag = 1; }

}  // namespace

qint64 nowNs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

void sleepUntil(qint64 ns) {
  timespec t{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
  while (!stopFlag && clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

void stopOnSignals() {
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool stopRequested() { return stopFlag != 0; }

}  // namespace kv::sim
