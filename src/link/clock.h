#pragma once

#include <QElapsedTimer>

namespace kv {

// Time as the transfers see it; tests step a virtual clock instead of waiting.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual qint64 nowMs() = 0;
  // A pause during which nothing is received into the receive text.
  virtual void sleep(int msecs) = 0;
};

class SystemClock : public Clock {
 public:
  SystemClock() { timer_.start(); }
  qint64 nowMs() override { return timer_.elapsed(); }
  void sleep(int msecs) override;

 private:
  QElapsedTimer timer_;
};

}  // namespace kv
