#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "sampledata.h"

#include "fakeport.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "link/linkengine.h"
#include "recordingobserver.h"
#include "sim/radioemulator.h"

using namespace kv;
using kvtest::FakePort;
using kvtest::RecordingObserver;
using kvtest::VirtualClock;

namespace {

const QByteArray kCycle = QByteArray::fromHex("0250524F475241");

// One engine over a fake port; `answerAfterCycle` makes the radio answer each completed
// wake-up word with the given bytes, and everything else as the emulator does.
struct Rig {
  VirtualClock clock;
  FakePort port{clock};
  RecordingObserver observer;
  LinkSession session;
  LinkOptions options;
  QByteArray memory = QByteArray(kImageSize, char(0xFF));
  RadioFaults faults;
  std::unique_ptr<RadioEmulator> radio;

  void useEmulator() {
    radio = std::make_unique<RadioEmulator>(memory, faults);
    port.radio = [this](FakePort& p, const QByteArray& bytes) {
      const RadioEmulator::Reply reply = radio->receive(bytes);
      if (!reply.bytes.isEmpty()) p.deliver(reply.bytes);
    };
  }
  LinkEngine engine() { return LinkEngine(port, clock, observer, session, options); }
};

// Answers the byte at which the radio is scripted to react, once; then 0x06 to the 0x4D.
void answerHandshake(FakePort& port, char after, const QByteArray& answer, int times = 1) {
  auto left = std::make_shared<int>(times);
  port.radio = [after, answer, left](FakePort& p, const QByteArray& bytes) {
    if (bytes == QByteArray(1, after) && *left > 0) {
      --*left;
      p.deliver(answer);
    }
    if (bytes == QByteArray(1, 0x4D)) p.deliver(QByteArray(1, 0x06));
  };
}

}  // namespace

class TestLinkEngine : public QObject {
  Q_OBJECT

 private slots:
  void receiveTextRendersDecimalsWithoutSeparators() {
    ReceiveText text;
    text.append(QByteArray::fromHex("5700"), true);
    QCOMPARE(text.text(), QStringLiteral("870"));
    text.clear();
    text.append(QByteArray::fromHex("0120"), true);
    QCOMPARE(text.text(), QStringLiteral("132"));
    text.clear();
    // Text input mode: every byte is followed by the zero high byte of its character.
    text.append(QByteArray::fromHex("0600C8"), false);
    QCOMPARE(text.text(), QStringLiteral("60002000"));
  }

  void handshakePassesOnTwoAcksInTextMode() {
    Rig rig;
    answerHandshake(rig.port, 0x41, QByteArray::fromHex("0606"));
    QVERIFY(rig.engine().linkHandshake(true));
    // The answer read right after 0x41 is seen one cycle byte later; then the closing byte.
    QCOMPARE(rig.port.written(), kCycle + QByteArray::fromHex("02") + QByteArray::fromHex("4D"));
    for (const QByteArray& w : rig.port.writes) QCOMPARE(w.size(), 1);
    QVERIFY(rig.observer.messages.isEmpty());
  }

  void handshakeDisabledSendsNothing() {
    Rig rig;
    QVERIFY(!rig.engine().linkHandshake(false));
    QVERIFY(rig.port.writes.isEmpty());
  }

  void singleAckKeepsWaitingUntilCancel() {
    Rig rig;
    answerHandshake(rig.port, 0x41, QByteArray::fromHex("06"));
    rig.observer.cancel = [&] { return rig.clock.now >= 90000; };
    QVERIFY(!rig.engine().linkHandshake(true));
    QVERIFY(!rig.port.written().contains(0x4D));
    // The time-out message comes once, after 60 s; the wait then goes on until the cancel.
    QCOMPARE(rig.observer.messages.size(), 1);
    QCOMPARE(rig.observer.messages[0].text, linktext::kNoAnswer);
    QCOMPARE(rig.observer.messages[0].title, QStringLiteral("信息提示"));
    QCOMPARE(int(rig.observer.messages[0].icon), int(MessageIcon::Information));
    QVERIFY(rig.clock.now >= 90000);
  }

  void rejectedAnswerContinuesTheCycle() {
    Rig rig;
    rig.session.byteMode = true;
    // A garbled answer after "R" (position 2) reads "161616" but holds no ACK: it is
    // rejected and the cycle goes on from where it was.
    rig.port.radio = [](FakePort& p, const QByteArray& bytes) {
      static int seen = 0;
      if (bytes == QByteArray(1, 0x52) && seen++ == 0) p.deliver(QByteArray::fromHex("101010"));
      if (bytes == QByteArray(1, 0x41)) p.deliver(QByteArray::fromHex("060606"));
      if (bytes == QByteArray(1, 0x4D)) p.deliver(QByteArray(1, 0x06));
    };
    LinkEngine engine = rig.engine();
    QVERIFY(engine.linkHandshake(true));
    QCOMPARE(rig.port.written(), kCycle + QByteArray::fromHex("02") + QByteArray::fromHex("4D"));
  }

  void cancelWhileCyclingSendsNoClosingByteAndNoTimeout() {
    Rig rig;
    rig.observer.cancel = [&] { return rig.port.writes.size() >= 3; };
    LinkEngine engine = rig.engine();
    QVERIFY(!engine.linkHandshake(true));
    QCOMPARE(rig.port.writes.size(), 3);
    QVERIFY(rig.observer.messages.isEmpty());
  }

  void silentRadioTimesOutAfterSixtySeconds() {
    Rig rig;
    QVERIFY(!rig.engine().linkHandshake(true));
    QCOMPARE(rig.observer.texts(), QStringList{linktext::kNoAnswer});
    QVERIFY(rig.clock.now >= 60000 && rig.clock.now < 61000);
    QVERIFY(!rig.port.written().contains(0x4D));
  }

  void acknowledgementTest_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("byteMode");
    QTest::addColumn<bool>("ack");
    QTest::newRow("ACK byte mode") << QByteArray::fromHex("06") << true << true;
    QTest::newRow("ACK text mode") << QByteArray::fromHex("06") << false << true;
    // Garbled answers whose renderings hold a 6 ("16", "36", "960") are not acknowledgements.
    QTest::newRow("0x10 byte mode") << QByteArray::fromHex("10") << true << false;
    QTest::newRow("0x24 byte mode") << QByteArray::fromHex("24") << true << false;
    QTest::newRow("0x60 text mode") << QByteArray::fromHex("60") << false << false;
    QTest::newRow("ACK among noise") << QByteArray::fromHex("1006") << true << true;
    QTest::newRow("NAK byte mode") << QByteArray::fromHex("15") << true << false;
    QTest::newRow("NAK text mode") << QByteArray::fromHex("15") << false << false;
  }
  void acknowledgementTest() {
    QFETCH(QByteArray, answer);
    QFETCH(bool, byteMode);
    QFETCH(bool, ack);
    Rig rig;
    rig.session.byteMode = byteMode;
    rig.port.deliver(answer, 5);
    QCOMPARE(rig.engine().waitForAck(), ack);
    QCOMPARE(rig.port.lineOpen, ack);
    if (ack) {
      QVERIFY(rig.observer.messages.isEmpty());
    } else {
      QCOMPARE(rig.observer.messages.size(), 1);
      QCOMPARE(rig.observer.messages[0].text, QStringLiteral("通信错误"));
      QCOMPARE(rig.observer.messages[0].title, QString());
      QCOMPARE(int(rig.observer.messages[0].icon), int(MessageIcon::None));
    }
  }

  void eachAckWaitGetsItsOwnSixtySeconds() {
    Rig rig;
    LinkEngine engine = rig.engine();
    rig.port.deliver(QByteArray(1, 0x06), 50000);
    QVERIFY(engine.waitForAck());
    rig.port.deliver(QByteArray(1, 0x06), 50000);
    QVERIFY(engine.waitForAck());
    QVERIFY(rig.observer.messages.isEmpty());
    // Without an answer the message comes once and the wait goes on until the cancel.
    rig.observer.cancel = [&] { return rig.clock.now >= 250000; };
    QVERIFY(!engine.waitForAck());
    QCOMPARE(rig.observer.texts(), QStringList{linktext::kNoAnswer});
  }

  void completeWrite() {
    Rig rig;
    rig.useEmulator();
    const RadioData data = kvtest::sampleRadioData();
    QVERIFY(rig.engine().runWrite(data));
    QVERIFY(rig.observer.messages.isEmpty());
    QCOMPARE(rig.memory, encodeImage(data).bytes);
    QCOMPARE(rig.observer.captions, (QStringList{linktext::kConnecting, linktext::kWriting}));
    QList<int> expected{1, 2};
    for (int v = 3; v <= 34; ++v) expected << v;
    for (int v = 34; v <= 127; ++v) expected << v;  // 34 twice: last channel, first filler
    expected << 128;
    QCOMPARE(rig.observer.progress, expected);
    QVERIFY(!rig.port.lineOpen);

    // The mode byte follows the handshake; then 128 packets of 12 bytes in address order.
    QList<QByteArray> packets;
    for (const QByteArray& w : rig.port.writes)
      if (w.size() == 12) packets << w;
    QCOMPARE(packets.size(), 128);
    QCOMPARE(packets[3], QByteArray::fromHex("570018088001C00800FC55FF"));
    QCOMPARE(packets[4].left(4), QByteArray::fromHex("57002008"));
    QCOMPARE(packets[32].left(4), QByteArray::fromHex("57010008"));
    QCOMPARE(packets[33].left(4), QByteArray::fromHex("57010808"));
    QCOMPARE(packets[34], QByteArray::fromHex("57011008FFFFFFFFFFFFFFFF"));
    QCOMPARE(packets[127].left(4), QByteArray::fromHex("5703F808"));
    QCOMPARE(packets[2], QByteArray::fromHex("5700100800255143"
                                             "00255143"));
    const int mode = rig.port.writes.indexOf(QByteArray(1, 0x0A));
    QCOMPARE(rig.port.writes[mode - 1], QByteArray(1, 0x4D));
  }

  void unencodableCellStopsBeforeTheHandshake() {
    Rig rig;
    rig.useEmulator();
    RadioData data = kvtest::sampleRadioData();
    data.cell(3, kTxSignal) = QStringLiteral("XYZ");
    QVERIFY(!rig.engine().runWrite(data));
    QVERIFY(rig.port.writes.isEmpty());
    QCOMPARE(rig.observer.messages.size(), 1);
    QCOMPARE(rig.observer.messages[0].title, QStringLiteral("13"));
    QVERIFY(rig.observer.messages[0].text.contains(QStringLiteral("XYZ")));
    QCOMPARE(int(rig.observer.messages[0].icon), int(MessageIcon::Information));
    // The window no longer shows its design caption, which speaks of reading.
    QCOMPARE(rig.observer.captions, QStringList{linktext::kConnecting});
  }

  void rejectedFunctionBlockEndsTheWriteWithItsMessageOnly() {
    Rig rig;
    rig.faults.wrongAnswerAt = 0;
    rig.useEmulator();
    QVERIFY(!rig.engine().runWrite(kvtest::sampleRadioData()));
    QCOMPARE(rig.observer.texts(), QStringList{QStringLiteral("通信错误")});
    int packets = 0;
    for (const QByteArray& w : rig.port.writes) packets += w.size() == 12;
    QCOMPARE(packets, 1);
  }

  void rejectedChannelBlockEndsTheWrite() {
    Rig rig;
    rig.faults.wrongAnswerAt = 20;
    rig.useEmulator();
    QVERIFY(!rig.engine().runWrite(kvtest::sampleRadioData()));
    QCOMPARE(rig.observer.texts(), QStringList{QStringLiteral("通信错误")});
    QCOMPARE(rig.observer.progress.at(rig.observer.progress.size() - 2), 21);
  }

  void noAnswerToTheModeByteEndsTheWrite() {
    Rig rig;
    answerHandshake(rig.port, 0x41, QByteArray::fromHex("0606"));
    QVERIFY(!rig.engine().runWrite(kvtest::sampleRadioData()));
    QCOMPARE(rig.observer.texts(), QStringList{linktext::kNoAnswer});
    QCOMPARE(rig.port.writes.last(), QByteArray(1, 0x0A));
  }

  void cancelDuringFillerKeepsChannelsComplete() {
    Rig rig;
    rig.useEmulator();
    rig.observer.cancel = [&] { return rig.observer.progress.size() >= 40; };
    const RadioData data = kvtest::sampleRadioData();
    QVERIFY(!rig.engine().runWrite(data));
    QCOMPARE(rig.memory.left(kDataBlockCount * kBlockSize),
             encodeImage(data).bytes.left(kDataBlockCount * kBlockSize));
    QVERIFY(rig.observer.messages.isEmpty());
  }

  void serialErrorOutsideThePhasesGetsTheWindowsMessage() {
    Rig rig;
    rig.port.lineOpen = false;
    QVERIFY(!rig.engine().runWrite(kvtest::sampleRadioData()));
    QCOMPARE(rig.observer.messages.size(), 1);
    QCOMPARE(rig.observer.messages[0].text, QStringLiteral("写频错误，请重新写频"));
    QCOMPARE(rig.observer.messages[0].title, QStringLiteral("提示"));
    QCOMPARE(int(rig.observer.messages[0].icon), int(MessageIcon::Critical));
    QVERIFY(!rig.engine().runRead(QString(), [](const QString&) { return true; }));
    QCOMPARE(rig.observer.messages.last().text, QStringLiteral("读频错误，请重新读频"));
  }

  void completeReadAndTheReceiveMode() {
    QTemporaryDir dir;
    const QString scratch = dir.filePath("received.chp");
    Rig rig;
    const RadioData data = kvtest::sampleRadioData();
    rig.memory = encodeImage(data).bytes;
    rig.useEmulator();
    RadioData loaded;
    QVERIFY(!rig.session.byteMode);
    QVERIFY(rig.engine().runRead(scratch, [&](const QString& path) {
      return loadChpFile(path, loaded).status == LoadStatus::Loaded;
    }));
    // The same document as the file the editor would save of it.
    RadioData fromFile;
    QVERIFY(!saveChpFile(dir.filePath("saved.chp"), data));
    QCOMPARE(loadChpFile(dir.filePath("saved.chp"), fromFile).status, LoadStatus::Loaded);
    QCOMPARE(loaded, fromFile);
    QVERIFY(rig.session.byteMode);  // from the first block request on, for the rest of the run
    QCOMPARE(rig.observer.captions, (QStringList{linktext::kConnecting, linktext::kReading}));
    QList<int> expected;
    for (int v = 1; v <= 128; ++v) expected << v;
    expected << 128;
    QCOMPARE(rig.observer.progress, expected);
    QFile file(scratch);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 129);
    QCOMPARE(lines[32], QByteArray("52 01 00 08 25 06 00 45 FF FF FF FF \r"));
    QCOMPARE(lines[127], QByteArray("52 03 F8 08 FF FF FF FF FF FF FF FF \r"));

    // The requests; after the last answer the PC acknowledges and closes without waiting.
    QList<QByteArray> requests;
    for (const QByteArray& w : rig.port.writes)
      if (w.size() == 4) requests << w;
    QCOMPARE(requests.size(), 128);
    QCOMPARE(requests[31], QByteArray::fromHex("5200F808"));
    QCOMPARE(requests[32], QByteArray::fromHex("52010008"));
    QCOMPARE(rig.port.writes.last(), QByteArray(1, 0x06));
    QVERIFY(!rig.port.lineOpen);
  }

  void readStoppedInTheBlockWaitLoadsWhatWasStored() {
    QTemporaryDir dir;
    const QString scratch = dir.filePath("received.chp");
    Rig rig;
    rig.faults.shortAt = 5;
    rig.useEmulator();
    int loads = 0;
    rig.observer.cancel = [&] { return rig.clock.now >= 200000; };
    QVERIFY(!rig.engine().runRead(scratch, [&](const QString&) { return ++loads > 0; }));
    QCOMPARE(loads, 1);
    // In the window the block wait has no time-out: no message, only the cancel ends it.
    QVERIFY(rig.observer.messages.isEmpty());
    QFile file(scratch);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count('\n'), 5);
  }

  void timeoutEndsTheBlockWaitWhenNoOneCanCancel() {
    QTemporaryDir dir;
    Rig rig;
    rig.faults.longAt = 3;
    rig.options.timeoutMs = 2000;
    rig.options.timeoutEndsWaits = true;
    rig.useEmulator();
    LinkEngine engine = rig.engine();
    QVERIFY(!engine.runRead(dir.filePath("r.chp"), [](const QString&) { return true; }));
    QVERIFY(engine.timedOut());
    QCOMPARE(rig.observer.texts(), QStringList{linktext::kNoAnswer});
    QVERIFY(rig.clock.now < 10000);
  }

  void rejectedAckAfterABlockEndsTheRead() {
    QTemporaryDir dir;
    Rig rig;
    rig.faults.wrongAnswerAt = 7;
    rig.useEmulator();
    QVERIFY(!rig.engine().runRead(dir.filePath("r.chp"), [](const QString&) { return true; }));
    QCOMPARE(rig.observer.texts(), QStringList{QStringLiteral("通信错误")});
    QCOMPARE(rig.observer.progress.at(rig.observer.progress.size() - 2), 8);
  }

  void blockWaitBlocksAfterAnAckInTwoPieces() {
    // The acknowledgement's second piece arrives after the reading that ended the wait.
    struct SplitAckPort : FakePort {
      using FakePort::FakePort;
      int readsAfterAck = -1;
      QByteArray readAll() override {
        if (readsAfterAck >= 0 && ++readsAfterAck == 2) deliver(QByteArray(1, 0x06), 0);
        const QByteArray bytes = FakePort::readAll();
        if (readsAfterAck < 0 && !bytes.isEmpty()) readsAfterAck = 0;
        return bytes;
      }
    };
    QTemporaryDir dir;
    VirtualClock clock;
    SplitAckPort port(clock);
    RecordingObserver observer;
    LinkSession session;
    LinkEngine engine(port, clock, observer, session);
    port.deliver(QByteArray(1, 0x06), 5);
    QVERIFY(engine.waitForAck());
    // The radio then stays silent; the block wait must sleep on the port, not spin.
    int checks = 0;
    observer.cancel = [&] { return clock.now >= 1000 || ++checks > 100000; };
    QVERIFY(!engine.readBlocks(dir.filePath("r.chp")));
    QVERIFY(clock.now >= 1000);
  }

  void unwritableScratchFileIsReported() {
    Rig rig;
    rig.useEmulator();
    QVERIFY(!rig.engine().runRead(QStringLiteral("/nonexistent-dir/r.chp"),
                                  [](const QString&) { return true; }));
    QCOMPARE(rig.observer.messages.size(), 1);
    QCOMPARE(rig.observer.messages[0].title, QStringLiteral("75"));
  }
};

QTEST_GUILESS_MAIN(TestLinkEngine)
#include "test_linkengine.moc"
