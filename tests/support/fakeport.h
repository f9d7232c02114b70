#pragma once

#include <QByteArray>
#include <QList>
#include <functional>
#include <utility>

#include "link/clock.h"
#include "link/serialport.h"

namespace kvtest {

// Time that moves only when the code under test sleeps or waits, so a 60-second time-out
// costs no real time.
class VirtualClock : public kv::Clock {
 public:
  qint64 nowMs() override { return now; }
  void sleep(int msecs) override { now += msecs; }
  qint64 now = 0;
};

// A serial port with a scripted radio behind it: `radio` sees every write and answers
// through deliver(), with bytes that arrive a little later on the virtual clock.
class FakePort : public kv::SerialPort {
 public:
  explicit FakePort(VirtualClock& clock) : clock_(clock) {}

  std::function<void(FakePort&, const QByteArray&)> radio;
  QList<QByteArray> writes;  // one entry per write, in order
  bool lineOpen = true;

  void deliver(const QByteArray& bytes, int delayMs = 1) {
    pending_.append({clock_.now + delayMs, bytes});
  }
  QByteArray written() const {
    QByteArray all;
    for (const QByteArray& w : writes) all += w;
    return all;
  }

  std::optional<kv::Failure> open(const QString&) override {
    lineOpen = true;
    return std::nullopt;
  }
  bool isOpen() const override { return lineOpen; }
  void close() override { lineOpen = false; }
  std::optional<kv::Failure> write(const QByteArray& bytes) override {
    if (!lineOpen) return kv::portNotOpen();
    writes << bytes;
    if (radio) radio(*this, bytes);
    return std::nullopt;
  }
  qint64 bytesAvailable() override {
    arrive();
    return input_.size();
  }
  QByteArray readAll() override {
    arrive();
    return std::exchange(input_, {});
  }
  bool waitForReadyRead(int msecs) override {
    arrive();
    const qint64 end = clock_.now + msecs;
    qint64 next = -1;
    for (const Pending& p : pending_)
      if (next < 0 || p.at < next) next = p.at;
    if (next >= 0 && next <= end) {
      clock_.now = std::max(clock_.now, next);
      arrive();
      return true;
    }
    clock_.now = end;
    return false;
  }
  void clearInput() override {
    arrive();
    input_.clear();
  }
  void clearOutput() override {}

 private:
  struct Pending {
    qint64 at;
    QByteArray bytes;
  };
  void arrive() {
    for (auto it = pending_.begin(); it != pending_.end();) {
      if (it->at <= clock_.now) {
        input_ += it->bytes;
        it = pending_.erase(it);
      } else {
        ++it;
      }
    }
  }

  VirtualClock& clock_;
  QByteArray input_;
  QList<Pending> pending_;
};

}  // namespace kvtest
