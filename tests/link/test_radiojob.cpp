#include <QTest>

#include "fakeport.h"
#include "image/memoryimage.h"
#include "link/radiojob.h"
#include "recordingobserver.h"
#include "sampledata.h"
#include "sim/radioemulator.h"

using namespace kv;
using kvtest::FakePort;
using kvtest::RecordingObserver;
using kvtest::VirtualClock;

class TestRadioJob : public QObject {
  Q_OBJECT

 private slots:
  // A transfer closes the port without waiting for the radio's answer to its last packet;
  // arriving once the next transfer has opened the port, that answer must not be taken for
  // the start of the next handshake's answer.
  void lateLastAnswerDoesNotHoldUpTheNextTransfer() {
    VirtualClock clock;
    FakePort port(clock);
    QByteArray memory(kImageSize, char(0x00));
    RadioEmulator radio(memory, {});
    port.radio = [&radio](FakePort& p, const QByteArray& bytes) {
      const RadioEmulator::Reply reply = radio.receive(bytes);
      if (!reply.bytes.isEmpty()) p.deliver(reply.bytes, 5);
    };
    const auto open = [&port]() -> std::optional<Failure> {
      port.lineOpen = true;
      port.clearInput();
      return std::nullopt;
    };
    RecordingObserver observer;
    LinkSession session;
    LinkOptions options;
    options.timeoutEndsWaits = true;
    RadioJob job(port, open, clock, observer, session, {QStringLiteral("/dev/pts/9"), {}, options});

    const RadioData data = kvtest::sampleRadioData();
    const JobOutcome outcome =
        job.write(data, {.readFirst = true, .verify = true, .anyModel = true});
    QVERIFY2(outcome.ok, qPrintable(outcome.summary));
    QCOMPARE(outcome.summary, jobtext::kVerified);
    QCOMPARE(memory, encodeImage(data).bytes);
    QVERIFY(observer.messages.isEmpty());
    // Three handshakes and three transfers, far from a minute's time-out.
    QVERIFY2(clock.now < 10000, qPrintable(QString::number(clock.now)));
  }
};

QTEST_GUILESS_MAIN(TestRadioJob)
#include "test_radiojob.moc"
