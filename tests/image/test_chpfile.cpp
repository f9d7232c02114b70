#include <QtTest>

#include "testfiles.h"

#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "model/signalcodes.h"

using namespace kv;
using kvtest::readAll;
using kvtest::writeAll;

namespace {

QByteArray fixture(const char* name) { return readAll(kvtest::fixturePath(name)); }

// The all-"OFF" file with line `line` (1-based) replaced.
QByteArray withLine(int line, const QByteArray& text) {
  QList<QByteArray> lines = fixture("all-off.chp").split('\n');
  lines[line - 1] = text + '\r';
  return lines.join('\n');
}

void setChannel(RadioData& d, int n, const QStringList& cells) {
  for (int c = 0; c < cells.size(); ++c) d.cell(n, c + 1) = cells[c];
}

}  // namespace

class TestChpFile : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  RadioData load(const QByteArray& text, LoadResult* result = nullptr, RadioData data = {}) {
    writeAll(path("in.chp"), text);
    const LoadResult r = loadChpFile(path("in.chp"), data);
    if (result) *result = r;
    return data;
  }

 private slots:
  void allOffFileByteForByte() {
    QVERIFY(!saveChpFile(path("off.chp"), RadioData{}));
    const QByteArray saved = readAll(path("off.chp"));
    QCOMPARE(saved, fixture("all-off.chp"));
    QCOMPARE(saved.count("\r\n"), 128);
    QVERIFY(!saved.contains(" \r\n"));
  }

  void exampleChannelBothWays() {
    RadioData d;
    setChannel(d, 1, {"450.12500", "450.12500", "67", "D023I", "否", "窄", "中"});
    QVERIFY(!saveChpFile(path("ex.chp"), d));
    QCOMPARE(readAll(path("ex.chp")), fixture("example.chp"));
    LoadResult r;
    const RadioData loaded = load(fixture("example.chp"), &r);
    QCOMPARE(loaded.channels[0], d.channels[0]);
    QCOMPARE(loaded.cell(2, kRxFreq), QStringLiteral("OFF"));
    QCOMPARE(r.status, LoadStatus::Loaded);
    QVERIFY(r.modelFound);
  }

  void blockAddresses() {
    const QList<QByteArray> lines = fixture("all-off.chp").split('\n');
    QVERIFY(lines[31].startsWith("52 00 F8 08"));  // channel 15's settings
    QVERIFY(lines[32].startsWith("52 01 00 08"));  // channel 16's frequencies
    QVERIFY(lines[33].startsWith("52 01 08 08"));
    QVERIFY(lines[127].startsWith("52 03 F8 08"));
  }

  void everyPickTextRoundTrips() {
    const QStringList& picks = signalPickList();
    for (int first = 0; first < picks.size(); first += kChannelCount) {
      RadioData d;
      for (int n = 1; n <= kChannelCount; ++n) {
        setChannel(d, n,
                   {"435.12500", "OFF", picks[(first + n - 1) % picks.size()],
                    picks[(first + n + 7) % picks.size()], "是", "宽", "低"});
      }
      QVERIFY(!saveChpFile(path("a.chp"), d));
      QCOMPARE(load(readAll(path("a.chp"))), d);
      QVERIFY(!saveChpFile(path("b.chp"), load(readAll(path("a.chp")))));
      QCOMPARE(readAll(path("b.chp")), readAll(path("a.chp")));
    }
  }

  void settingsAndTuneRoundTrip() {
    RadioData d;
    d.settings = {6, 1, 1, 10, 9, 1, 2};
    d.tune = {"1", "0", 10};
    QVERIFY(!saveChpFile(path("s.chp"), d));
    const QByteArray first = readAll(path("s.chp"));
    QVERIFY(first.startsWith("52 00 00 08 34 FF FF FF E0 1E 09 32\r\n52 00 08 08 01 00 FF"));
    // Loading sets the crystal and IF tune values too, so a second save keeps bits 5 and 4.
    const RadioData loaded = load(first);
    QCOMPARE(loaded.settings, d.settings);
    QCOMPARE(loaded.tune, d.tune);
    QVERIFY(!saveChpFile(path("s2.chp"), loaded));
    QCOMPARE(readAll(path("s2.chp")), first);
  }

  void timeoutTokens_data() {
    QTest::addColumn<QByteArray>("token");
    QTest::addColumn<int>("index");
    QTest::newRow("off") << QByteArray("00") << 0;
    QTest::newRow("4/3 rounds to 30s") << QByteArray("04") << 1;
    QTest::newRow("5/3 rounds to 60s") << QByteArray("05") << 2;
    QTest::newRow("0F") << QByteArray("0F") << 5;
    QTest::newRow("F") << QByteArray("F") << 5;
  }
  void timeoutTokens() {
    QFETCH(QByteArray, token);
    QFETCH(int, index);
    QCOMPARE(load(withLine(1, "52 00 00 08 11 FF FF FF 00 " + token + " 04 19")).settings.txTimeout,
             index);
  }

  void unknownTokensKeepOldValues() {
    RadioData before;
    before.settings.voice = 2;
    before.settings.scan = 1;
    before.tune.sPower = 7;
    before.cell(1, kTxPower) = "中";
    QByteArray text = withLine(1, "52 00 00 08 11 FF FF FF 00 00 04 07");
    text.replace("52 00 08 08 FF FF", "52 00 08 08 7F 12");
    text.replace("52 00 18 08 FF FF FF FF FF FF FF FF", "52 00 18 08 FF FF FF FF FF FF 33 FF");
    const RadioData d = load(text, nullptr, before);
    QCOMPARE(d.settings.voice, 2);
    QCOMPARE(d.settings.scan, 1);
    QCOMPARE(d.tune.sPower, 7);
    QCOMPARE(d.cell(1, kTxPower), QStringLiteral("中"));
  }

  void frequencyTextsAreJoinedNotParsed() {
    const RadioData d = load(withLine(3, "52 00 10 08 00 25 01 4A 00 FF 01 45"));
    QCOMPARE(d.cell(1, kRxFreq), QStringLiteral("4A0.12500"));
    QCOMPARE(d.cell(1, kTxFreq), QStringLiteral("OFF"));  // any "FF" in the text
    // What was read saves back to the same tokens.
    QVERIFY(!saveChpFile(path("j.chp"), d));
    QVERIFY(readAll(path("j.chp")).contains("52 00 10 08 00 25 01 4A FF FF FF FF"));
  }

  void signallingBytesThatNameNoCodeAreListed() {
    QByteArray text = fixture("all-off.chp");
    // Channel 3: a tone number past the 50 tones, and "80 00", which has always read as OFF.
    text.replace("52 00 38 08 FF FF FF FF", "52 00 38 08 80 40 80 00");
    // Channel 5: digital code 0, and a number past the end of the list.
    text.replace("52 00 58 08 FF FF FF FF", "52 00 58 08 D0 00 C0 FF");
    // Channel 6: the last tone and the last inverted code are codes like any other.
    text.replace("52 00 68 08 FF FF FF FF", "52 00 68 08 80 32 C0 69");
    LoadResult r;
    const RadioData d = load(text, &r);
    QCOMPARE(r.status, LoadStatus::Loaded);
    const QList<UnknownSignal> expected{{3, kRxSignal, "80 40", "D072N"},
                                        {5, kRxSignal, "D0 00", "254.1"},
                                        {5, kTxSignal, "C0 FF", ""}};
    QCOMPARE(r.unknownSignals, expected);
    // The decoding itself is kept.
    QCOMPARE(d.cell(3, kRxSignal), QStringLiteral("D072N"));
    QCOMPARE(d.cell(3, kTxSignal), QStringLiteral("OFF"));
    QCOMPARE(d.cell(6, kTxSignal), QStringLiteral("D116I"));
    QVERIFY(loadWholeChpFile(path("in.chp")).data);  // listed, not refused
  }

  void unknownModelKeepsCurrentModel() {
    RadioData before;
    before.settings.model = 4;
    LoadResult r;
    const RadioData d = load(fixture("example.chp").replace("08 11 FF", "08 99 FF"), &r, before);
    QCOMPARE(r.status, LoadStatus::Loaded);
    QVERIFY(!r.modelFound);
    QCOMPARE(d.settings.model, 4);
    QCOMPARE(d.cell(1, kRxFreq), QStringLiteral("450.12500"));
  }

  void truncatedFileKeepsWhatWasRead() {
    RadioData before;
    before.settings.model = 2;
    setChannel(before, 16, {"460.00000", "460.00000", "OFF", "OFF", "否", "宽", "高"});
    QByteArray text = fixture("example.chp");
    text.truncate(9 * 37);  // lines 1 to 9: settings, channels 1 to 3, channel 4's frequencies
    LoadResult r;
    RadioData d = load(text, &r, before);
    QCOMPARE(r.status, LoadStatus::Failed);
    QCOMPARE(r.error.number, 62);
    QCOMPARE(d.settings.model, 0);
    QCOMPARE(d.cell(1, kTxSignal), QStringLiteral("D023I"));
    QCOMPARE(d.cell(4, kRxFreq), QStringLiteral("OFF"));
    QCOMPARE(d.cell(4, kRxSignal), QString());  // the model change cleared the grid
    QCOMPARE(d.cell(16, kRxFreq), QString());

    before.settings.model = 0;  // same model: the cells not reached keep their values
    d = load(text, &r, before);
    QCOMPARE(d.cell(16, kRxFreq), QStringLiteral("460.00000"));
  }

  void malformedInputIsSafe_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("number");
    QByteArray binary(200000, 0);
    for (int i = 0; i < binary.size(); ++i) binary[i] = char((i * 7919) % 251);
    QTest::newRow("empty") << QByteArray() << 62;
    QTest::newRow("binary") << binary << -1;
    QTest::newRow("million-character line") << QByteArray(1000000, 'A') << 9;
    QTest::newRow("huge line") << QByteArray(3000000, ' ') << 9;
    QTest::newRow("few tokens") << QByteArray("52 00 00 08 11\r\n") << 9;
    QTest::newRow("non-hex flags") << withLine(1, "52 00 00 08 11 FF FF FF ZZ 00 04 19") << 13;
    QTest::newRow("squelch out of range")
        << withLine(1, "52 00 00 08 11 FF FF FF 00 00 12 19") << 380;
    QTest::newRow("time-out out of range")
        << withLine(1, "52 00 00 08 11 FF FF FF 00 FF 04 19") << 380;
    QTest::newRow("non-hex signal number")
        << withLine(4, "52 00 18 08 80 QQ FF FF FF FF FF FF") << 13;
  }
  void malformedInputIsSafe() {
    QFETCH(QByteArray, text);
    QFETCH(int, number);
    LoadResult r;
    load(text, &r);
    QCOMPARE(r.status, LoadStatus::Failed);
    if (number >= 0) QCOMPARE(r.error.number, number);
    QVERIFY(!r.error.description.isEmpty());
  }

  void lineEndingsAndRadioReads() {
    // Lines ended by LF or CR alone load as well as CR LF ones.
    QByteArray lf = fixture("example.chp");
    lf.replace("\r\n", "\n");
    QCOMPARE(load(lf).cell(1, kTxSignal), QStringLiteral("D023I"));
    lf.replace("\n", "\r");
    QCOMPARE(load(lf).cell(1, kTxSignal), QStringLiteral("D023I"));
    // A radio read (trailing spaces, reserved and filler bytes as sent) is normalised by a save.
    RadioData d = load(fixture("radio-read.chp"));
    QCOMPARE(d.settings.model, 4);
    QCOMPARE(d.tune.jtlx, QStringLiteral("1"));
    QVERIFY(!saveChpFile(path("r.chp"), d));
    QByteArray expected = fixture("example.chp");
    expected.replace("52 00 00 08 11 FF FF FF 00 00 04 19", "52 00 00 08 24 FF FF FF B0 1E 09 32");
    QCOMPARE(readAll(path("r.chp")), expected);
  }

  void missingFileChangesNothing() {
    RadioData d;
    d.settings.squelch = 7;
    QCOMPARE(loadChpFile(path("none.chp"), d).status, LoadStatus::NotFound);
    QCOMPARE(d.settings.squelch, 7);
  }

  void outOfRangeTrimIsNeutral() {
    RadioData d;
    d.tune.sPower = -1;
    const EncodedImage image = encodeImage(d);
    QVERIFY(image.ok());
    QCOMPARE(quint8(image.bytes[7]), quint8(0x19));
    QVERIFY(!saveChpFile(path("t.chp"), d));
    QVERIFY(readAll(path("t.chp")).startsWith("52 00 00 08 11 FF FF FF 00 00 04 19\r\n"));
  }

  void radioImageBytes() {
    RadioData d;
    setChannel(d, 1, {"435.12500", "435.12500", "OFF", "OFF", "否", "宽", "高"});
    d.cell(16, kTxSignal) = "123";
    const EncodedImage image = encodeImage(d);
    QVERIFY(image.ok());
    QCOMPARE(image.bytes.size(), kImageSize);
    QCOMPARE(image.bytes.mid(0x10, 16).toHex(' '),
             QByteArray("00 25 51 43 00 25 51 43 ff ff ff ff ff ff ff ff"));
    QCOMPARE(image.bytes.mid(0x108, 4).toHex(' '), QByteArray("ff ff 80 13"));
    QCOMPARE(image.bytes.mid(0x110), QByteArray(kImageSize - 0x110, char(0xFF)));
    QCOMPARE(blockAddressHigh(32), quint8(0x01));
    QCOMPARE(blockAddressLow(33), quint8(0x08));
  }

  void failedSaveKeepsTheOldFile() {
    QVERIFY(!saveChpFile(path("keep.chp"), RadioData{}));
    const QByteArray old = readAll(path("keep.chp"));
    RadioData bad;
    bad.cell(3, kRxSignal) = "D999N";  // no code-list entry begins with it
    const auto error = saveChpFile(path("keep.chp"), bad);
    QVERIFY(error);
    QVERIFY(error->description.contains("D999N"));
    bad = {};
    bad.cell(2, kRxFreq) = "45.125";
    QVERIFY(saveChpFile(path("keep.chp"), bad));
    QCOMPARE(readAll(path("keep.chp")), old);
    // A place that cannot take the file says why.
    const auto nowhere = saveChpFile(path("no-such-dir/x.chp"), RadioData{});
    QVERIFY(nowhere);
    QVERIFY(nowhere->description.contains("no-such-dir"));
  }

  void scratchLines() {
    QCOMPARE(scratchLine(QByteArray::fromHex("5200000811FFFFFF00060419")),
             QByteArray("52 00 00 08 11 FF FF FF 00 06 04 19 \r\n"));
  }
};

QTEST_APPLESS_MAIN(TestChpFile)
#include "test_chpfile.moc"
