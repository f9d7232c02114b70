// A whole write or a whole read against a radio that answers with the fuzzer's bytes, on a
// virtual clock. The first byte picks the transfer and the receive mode; the rest is cut
// into answers: each starts with a byte whose low four bits give its length and whose high
// four bits its delay in 5-second steps, so answers may come late enough to time out.
#include "fakeport.h"
#include "fuzzsupport.h"
#include "image/chpfile.h"
#include "link/linkengine.h"
#include "recordingobserver.h"
#include "sampledata.h"

using namespace kv;

namespace {

// Every write of the PC, and every wait with no answer on its way, brings the next answer,
// so the input is used up whatever the engine waits for.
class FuzzPort : public kvtest::FakePort {
 public:
  FuzzPort(kvtest::VirtualClock& clock, QByteArray input)
      : FakePort(clock), clock_(clock), input_(std::move(input)) {
    radio = [this](FakePort&, const QByteArray&) { answer(); };
  }
  bool waitForReadyRead(int msecs) override {
    if (clock_.now >= lastDue_) answer();
    return FakePort::waitForReadyRead(msecs);
  }
  // Used up, and the last answer has arrived.
  bool drained() const { return pos_ >= input_.size() && clock_.now >= lastDue_; }

 private:
  void answer() {
    if (pos_ >= input_.size()) return;
    const quint8 head = quint8(input_[pos_++]);
    const QByteArray bytes = input_.mid(pos_, head & 0x0F);
    pos_ += bytes.size();
    const int delayMs = 1 + (head >> 4) * 5000;
    lastDue_ = clock_.now + delayMs;
    deliver(bytes, delayMs);
  }
  kvtest::VirtualClock& clock_;
  QByteArray input_;
  qsizetype pos_ = 0;
  qint64 lastDue_ = 0;
};

// Ten minutes of virtual time end a transfer that late answers would otherwise stretch over
// hours of waiting in short slices.
constexpr qint64 kVirtualLimitMs = 10 * 60 * 1000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const quint8 choice = data[0];
  const bool write = choice & 1;
  kvtest::VirtualClock clock;
  FuzzPort port(clock, QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
  kvtest::RecordingObserver observer;
  bool cancelled = false;
  observer.cancel = [&] {
    cancelled = cancelled || port.drained() || clock.now > kVirtualLimitMs;
    return cancelled;
  };
  LinkSession session;
  session.byteMode = choice & 2;
  LinkEngine engine(port, clock, observer, session);

  bool ok = false;
  bool loadFailed = false;
  if (write) {
    ok = engine.runWrite(kvtest::sampleRadioData());
  } else {
    const QString scratch = kvfuzz::pathFor("received.chp");
    QFile::remove(scratch);
    ok = engine.runRead(scratch, [&](const QString& path) {
      RadioData loaded;
      const LoadResult result = loadChpFile(path, loaded);
      kvfuzz::require(result.status != LoadStatus::Failed || !result.error.description.isEmpty(),
                      "a failed load carries a message");
      loadFailed = result.status != LoadStatus::Loaded;
      return !loadFailed;
    });
    kvfuzz::require(!ok || engine.readComplete(), "a read that succeeds stored every block");
  }
  kvfuzz::require(!port.lineOpen, "the port is closed after the transfer");
  kvfuzz::require(!engine.pendingFailure(), "every serial error is reported");
  kvfuzz::require(ok || cancelled || loadFailed || !observer.messages.isEmpty(),
                  "a transfer that fails says why");
  return 0;
}
