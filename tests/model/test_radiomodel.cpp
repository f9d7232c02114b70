#include <QtTest>

#include "model/radiodata.h"
#include "model/radiomodel.h"

using namespace kv;

class TestRadioModel : public QObject {
  Q_OBJECT
 private slots:
  void modelTable() {
    QCOMPARE(modelNames().size(), 8);
    QCOMPARE(modelNames()[3], QStringLiteral("KV--410B(4)"));
    QCOMPARE(modelByte(4), QStringLiteral("36"));
    QCOMPARE(modelByte(0), QStringLiteral("17"));
    QCOMPARE(modelByte(7), QStringLiteral("54"));
    // Entries 3, 4 and 5 read the sixth, fourth and fifth band texts.
    QCOMPARE(bandKey(3), QStringLiteral("PL6"));
    QCOMPARE(bandKey(4), QStringLiteral("PL4"));
    QCOMPARE(bandKey(5), QStringLiteral("PL5"));
    Bands bands;
    for (int i = 0; i < 8; ++i) bands[i] = QStringLiteral("slot%1").arg(i + 1);
    QCOMPARE(bandTextOf(bands, 3), QStringLiteral("slot6"));
    QCOMPARE(bandTextOf(bands, 5), QStringLiteral("slot5"));
  }

  void codeLookup() {
    QCOMPARE(findModelByCode("13"), std::optional<int>(2));
    QCOMPARE(findModelByCode("36"), std::optional<int>(7));
    for (const char* unknown : {"99", "1", "", "013", "FF"}) QVERIFY(!findModelByCode(unknown));
  }

  void bandLimitsByPosition() {
    const auto limits = bandLimits("400MHz---470MHz");
    QVERIFY(limits);
    QCOMPARE(limits->low, 400);
    QCOMPARE(limits->high, 470);
    QVERIFY(!bandLimits(""));
    QVERIFY(!bandLimits("400MHz"));
    QVERIFY(!bandLimits("40MHz---470MHz"));  // the high limit is no longer at character 10
  }

  void frequencyRule_data() {
    QTest::addColumn<QString>("freq");
    QTest::addColumn<int>("expected");
    const int ok = int(FrequencyCheck::Accepted), range = int(FrequencyCheck::OutOfRange),
              raster = int(FrequencyCheck::OffRaster), bad = int(FrequencyCheck::Unreadable);
    QTest::newRow("below") << "399.99375" << range;
    QTest::newRow("low edge") << "400.00000" << ok;
    QTest::newRow("whole MHz only") << "470.99375" << ok;
    QTest::newRow("above") << "471.00000" << range;
    QTest::newRow("6.25k raster") << "450.00625" << ok;
    QTest::newRow("5k raster") << "450.00500" << ok;
    QTest::newRow("2.5k") << "450.00250" << raster;
    QTest::newRow("7.5k") << "450.00750" << raster;
    QTest::newRow("OFF") << "OFF" << bad;
    QTest::newRow("empty") << "" << bad;
  }
  void frequencyRule() {
    QFETCH(QString, freq);
    QFETCH(int, expected);
    QCOMPARE(int(checkFrequency(freq, "400MHz---470MHz")), expected);
  }

  void unreadableBandRejectsSilently() {
    QCOMPARE(checkFrequency("450.00000", ""), FrequencyCheck::Unreadable);
  }

  // A stored band no frequency could pass is replaced for the run; an empty one means none.
  void unusableStoredBandsFallBack() {
    Bands bands;
    const QStringList stored{
        "99MHz---470MHz",  "470MHz---400MHz",  "400MHz---470", "",
        "400MHz---470MHz", "1000MHz---470MHz", "abc",          "100MHz---999MHz"};
    std::copy(stored.begin(), stored.end(), bands.begin());
    const QList<ReplacedBand> replaced = replaceInvalidBands(bands);
    QStringList keys;
    for (const ReplacedBand& r : replaced) keys << r.key;
    QCOMPARE(keys, (QStringList{"PL1", "PL2", "PL3", "PL6", "PL7"}));
    QCOMPARE(replaced.first().text, QStringLiteral("99MHz---470MHz"));
    QCOMPARE(bands[0], QStringLiteral("400MHz---470MHz"));
    QCOMPARE(bands[3], QString());
    QCOMPARE(bands[7], QStringLiteral("100MHz---999MHz"));
    QCOMPARE(bandTextFromLimits(" 410", "430"), QStringLiteral("410MHz---430MHz"));
    QVERIFY(!bandTextFromLimits("410.5", "430"));
  }

  void derivedBytes() {
    RadioData d;
    QCOMPARE(functionFlags(d), QStringLiteral("0"));
    QCOMPARE(voiceByte(d), QStringLiteral("255"));
    d.settings.monitor = 1;
    QCOMPARE(functionFlags(d), QStringLiteral("128"));
    d.settings.monitor = 0;
    d.settings.powerSave = 1;
    d.tune.jtlx = "1";
    d.tune.bjlx = "1";
    QCOMPARE(functionFlags(d), QStringLiteral("112"));
    d.settings.voice = 1;
    QCOMPARE(voiceByte(d), QStringLiteral("0"));
    d.settings.voice = 2;
    QCOMPARE(voiceByte(d), QStringLiteral("1"));
  }

  void optionLists() {
    QCOMPARE(txTimeoutOptions().size(), 11);
    QCOMPARE(txTimeoutOptions().last(), QStringLiteral("300s"));
    QCOMPARE(squelchOptions().size(), 10);
    QCOMPARE(powerTrimOptions()[5], QStringLiteral("0"));
  }
};

QTEST_APPLESS_MAIN(TestRadioModel)
#include "test_radiomodel.moc"
