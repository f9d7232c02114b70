#include <QTest>

#include "fakeport.h"
#include "image/memoryimage.h"
#include "link/cablechips.h"
#include "link/linkcheck.h"
#include "recordingobserver.h"
#include "sampledata.h"
#include "sim/radioemulator.h"

using namespace kv;
using kvtest::FakePort;
using kvtest::RecordingObserver;
using kvtest::VirtualClock;

namespace {

// A check of a USB adapter on /dev/ttyUSB0 with the given verdict.
CheckResult usbResult(quint16 vid, quint16 pid, Verdict verdict, const QString& serial = {}) {
  CheckResult result;
  result.port.device = QStringLiteral("/dev/ttyUSB0");
  result.port.vendorId = vid;
  result.port.productId = pid;
  result.port.serialNumber = serial;
  result.verdict = verdict;
  return result;
}

}  // namespace

class TestLinkCheck : public QObject {
  Q_OBJECT

 private slots:
  // Whatever is on the line, the check listens for five seconds at most (on the virtual
  // clock), sends nothing a write would send, shows no message and names what it heard.
  void eachLineGetsItsVerdict_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("silentFrom");  // -1: never
    QTest::addColumn<int>("nakAt");       // -1: never
    QTest::addColumn<int>("model");       // the radio's memory: -1 fresh (0xFF)
    QTest::addColumn<int>("verdict");
    QTest::addColumn<int>("blocksRead");
    using L = RadioFaults::Line;
    QTest::newRow("radio") << int(L::Radio) << -1 << -1 << 0 << int(Verdict::Ok) << 128;
    QTest::newRow("fresh radio") << int(L::Radio) << -1 << -1 << -1 << int(Verdict::Ok) << 128;
    QTest::newRow("silent") << int(L::Silent) << -1 << -1 << 0 << int(Verdict::Silent) << 0;
    QTest::newRow("echo") << int(L::Echo) << -1 << -1 << 0 << int(Verdict::Echo) << 0;
    QTest::newRow("garble") << int(L::Garble) << -1 << -1 << 0 << int(Verdict::Garbled) << 0;
    QTest::newRow("refuse") << int(L::Refuse) << -1 << -1 << 0 << int(Verdict::Refused) << 0;
    QTest::newRow("nak at block 9") << int(L::Radio) << -1 << 9 << 0 << int(Verdict::Refused) << 10;
    QTest::newRow("silent from block 5")
        << int(L::Radio) << 5 << -1 << 0 << int(Verdict::Interrupted) << 5;
  }
  void eachLineGetsItsVerdict() {
    QFETCH(int, line);
    QFETCH(int, silentFrom);
    QFETCH(int, nakAt);
    QFETCH(int, model);
    QFETCH(int, verdict);
    QFETCH(int, blocksRead);
    VirtualClock clock;
    FakePort port(clock);
    RecordingObserver observer;
    QByteArray memory(kImageSize, char(0xFF));
    if (model >= 0) {
      RadioData data = kvtest::sampleRadioData();
      data.settings.model = model;
      memory = encodeImage(data).bytes;
    }
    RadioFaults faults;
    faults.line = RadioFaults::Line(line);
    if (silentFrom >= 0) faults.silentFrom = silentFrom;
    if (nakAt >= 0) faults.wrongAnswerAt = nakAt;
    RadioEmulator radio(memory, faults);
    port.radio = [&radio](FakePort& p, const QByteArray& bytes) {
      const QByteArray reply = radio.receive(bytes).bytes;
      if (!reply.isEmpty()) p.deliver(reply);
    };
    LinkOptions options;
    options.timeoutMs = kCheckListenMs;
    CheckResult result;
    LinkCheck(port, clock, observer, options).listen(result);

    QCOMPARE(int(result.verdict), verdict);
    QCOMPARE(result.blocksRead, blocksRead);
    QVERIFY(observer.messages.isEmpty());
    QVERIFY(!port.isOpen());
    const QByteArray sent = port.written();
    QVERIFY(!sent.contains(protocol::kWriteMode) && !sent.contains(protocol::kWriteCommand));
    if (blocksRead == 0)  // the wake-up was never answered
      QVERIFY2(clock.now <= kCheckListenMs + 1000, qPrintable(QString::number(clock.now)));
    if (verdict != int(Verdict::Ok)) return;
    if (model >= 0)
      QCOMPARE(result.model, std::optional<int>(model));
    else
      QVERIFY(!result.model && result.modelCode == QStringLiteral("FF"));
  }

  // The usual programming cables by their real USB ids, and the driver Windows needs.
  void cableChipsByUsbId() {
    const struct {
      quint16 vid, pid;
      const char* chip;
      const char* driver;
    } known[] = {
        {0x1a86, 0x7523, "CH340", "CH341SER"},
        {0x1a86, 0x5523, "CH341", "CH341SER"},
        {0x067b, 0x2303, "PL2303", "Prolific PL2303"},
        {0x0403, 0x6001, "FTDI FT232R", "FTDI VCP"},
        {0x0403, 0x6015, "FTDI FT231X", "FTDI VCP"},
        {0x10c4, 0xea60, "CP210x", "Silicon Labs CP210x VCP"},
        {0x0483, 0x5740, "CDC-ACM", "usbser (Windows 10+)"},
    };
    for (const auto& k : known) {
      const auto chip = cableChip(k.vid, k.pid);
      QVERIFY(chip);
      QCOMPARE(chip->name, k.chip);
      QCOMPARE(chip->driver, k.driver);
    }
    QVERIFY(!cableChip(0x1a86, 0x7522));  // a neighbour of the CH340
    QVERIFY(!cableChip(0x046d, 0xc52b));  // a wireless mouse's receiver

    QCOMPARE(describe(usbResult(0x1a86, 0x7523, Verdict::Ok, "A1")).cable,
             QStringLiteral("CH340，USB 1a86:7523，序列号 A1（Windows 驱动：CH341SER）"));
    QCOMPARE(describe(usbResult(0x046d, 0xc52b, Verdict::Ok)).cable,
             QStringLiteral("未知的USB串口，USB 046d:c52b"));
  }

  // A port that brltty or ModemManager holds: the advice frees this one port and leaves the
  // service running; other holders are asked to be closed.
  void busyAdviceFreesThePort() {
    CheckResult result = usbResult(0x1a86, 0x7523, Verdict::Busy);
    result.holders = {{812, QStringLiteral("brltty")}};
    CheckReport report = describe(result);
    QCOMPARE(report.verdict, QStringLiteral("端口被其他程序占用：brltty（进程 812）。"));
    QVERIFY(report.advice.contains("/etc/udev/rules.d/") && report.advice.contains("“1a86/7523”"));
    QVERIFY(report.advice.contains("请不要卸载"));

    result.holders = {{640, QStringLiteral("ModemManager")}};
    report = describe(result);
    QVERIFY2(report.advice.contains(R"(ATTRS{idVendor}=="1a86", ATTRS{idProduct}=="7523", )"
                                    R"(ENV{ID_MM_DEVICE_IGNORE}="1")"),
             qPrintable(report.advice));
    result.port.vendorId.reset();
    result.port.device = QStringLiteral("/dev/ttyS0");
    QVERIFY(describe(result).advice.contains(R"(KERNEL=="ttyS0", ENV{ID_MM_DEVICE_IGNORE}="1")"));

    result.holders = {{77, QStringLiteral("minicom")}, {78, QStringLiteral("cu")}};
    report = describe(result);
    QCOMPARE(report.verdict,
             QStringLiteral("端口被其他程序占用：minicom（进程 77）、cu（进程 78）。"));
    QVERIFY(report.advice.startsWith("请关闭正在使用这个端口的程序"));
    result.holders.clear();  // Windows does not tell who
    QCOMPARE(describe(result).verdict, QStringLiteral("端口被其他程序占用。"));
  }
};

QTEST_GUILESS_MAIN(TestLinkCheck)
#include "test_linkcheck.moc"
