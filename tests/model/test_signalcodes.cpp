#include <QtTest>

#include "model/signalcodes.h"

using namespace kv;

namespace {
SignalBytes bytes(int type, int number) { return SignalBytes{quint8(type), quint8(number)}; }
}  // namespace

class TestSignalCodes : public QObject {
  Q_OBJECT
 private slots:
  void listShape() {
    const QStringList& codes = signalCodeList();
    const QStringList& picks = signalPickList();
    QCOMPARE(codes.size(), 261);
    QCOMPARE(picks.size(), 261);
    QCOMPARE(codes[0], QStringLiteral("OFF"));
    QCOMPARE(codes[19], QStringLiteral("123"));
    QCOMPARE(codes[51], QStringLiteral("D023N"));
    QCOMPARE(codes[155], QStringLiteral("D754N"));
    // The inverted block is in partner order.
    QCOMPARE(codes[156], QStringLiteral("D047I"));
    QCOMPARE(codes[157], QStringLiteral("D244I"));
    QCOMPARE(codes[163], QStringLiteral("D023I"));
    QCOMPARE(codes[260], QStringLiteral("D116I"));
    // Same texts up to the normal codes; the pick list's inverted block ascends.
    QCOMPARE(picks.mid(0, 156), codes.mid(0, 156));
    QCOMPARE(picks[156], QStringLiteral("D023I"));
    QCOMPARE(picks[260], QStringLiteral("D754I"));
  }

  void everyInvertedCodeOnce() {
    const QStringList inverted = signalCodeList().mid(156);
    QStringList sorted = inverted;
    sorted.sort();
    QCOMPARE(sorted, signalPickList().mid(156));  // a permutation of the 105 codes
    QCOMPARE(int(QSet<QString>(inverted.begin(), inverted.end()).size()), 105);
    QCOMPARE(encodeSignal("D023I"), std::optional(bytes(0xC0, 8)));
    QCOMPARE(encodeSignal("D645I"), std::optional(bytes(0xC0, 94)));
    QCOMPARE(encodeSignal("D645N"), std::optional(bytes(0xD0, 94)));
  }

  void encoding() {
    QCOMPARE(encodeSignal("123"), std::optional(bytes(0x80, 0x13)));
    QCOMPARE(encodeSignal("254.1"), std::optional(bytes(0x80, 0x32)));
    QCOMPARE(encodeSignal("D023N"), std::optional(bytes(0xD0, 0x01)));
    QCOMPARE(encodeSignal("D047I"), std::optional(bytes(0xC0, 0x01)));
    QCOMPARE(encodeSignal("d023n"), std::optional(bytes(0xD0, 0x01)));  // case is ignored
    for (const char* off : {"OFF", "", "   "})
      QCOMPARE(encodeSignal(off), std::optional(bytes(0xFF, 0xFF)));
    QCOMPARE(encodeSignal("D023"),
             std::optional(bytes(0xD0, 0x01)));  // first entry with the prefix
    QVERIFY(!encodeSignal("D999N"));
    QVERIFY(!encodeSignal("xyz"));
  }

  void decoding() {
    QCOMPARE(decodeSignal("C0", "01"), std::optional<QString>("D047I"));
    QCOMPARE(decodeSignal("C0", "08"), std::optional<QString>("D023I"));
    QCOMPARE(decodeSignal("80", "F"), std::optional<QString>("107.2"));
    QCOMPARE(decodeSignal("80", "00"), std::optional<QString>("OFF"));
    for (const char* type : {"FF", "d0", "c0", "00", ""})
      QCOMPARE(decodeSignal(type, "01"), std::optional<QString>("OFF"));
    QCOMPARE(decodeSignal("C0", "FF"), std::optional<QString>(""));  // past the list's end
    QVERIFY(!decodeSignal("D0", "ZZ"));
  }

  void everyPickRoundTrips() {
    for (const QString& text : signalPickList()) {
      const auto b = encodeSignal(text);
      QVERIFY2(b, qPrintable(text));
      if (b->type == 0xFF) {
        QCOMPARE(text, QStringLiteral("OFF"));
        continue;
      }
      QCOMPARE(decodeSignal(QStringLiteral("%1").arg(b->type, 2, 16).toUpper(),
                            QStringLiteral("%1").arg(b->number, 2, 16, QLatin1Char('0')).toUpper()),
               std::optional<QString>(text));
    }
  }

  void hexHelper() {
    QCOMPARE(hexTextToInt("F"), std::optional(15));
    QCOMPARE(hexTextToInt("0F"), std::optional(15));
    QVERIFY(!hexTextToInt(""));
    QVERIFY(!hexTextToInt("100"));
    QVERIFY(!hexTextToInt("G1"));
    // As a channel file's bytes come: lower case too, but nothing a number parser would forgive.
    QCOMPARE(hexTextToInt(QByteArrayView("ff")), std::optional(255));
    for (const char* odd : {"+F", " F", "F ", "0x", "\xC3\xA9"}) QVERIFY2(!hexTextToInt(odd), odd);
  }
};

QTEST_APPLESS_MAIN(TestSignalCodes)
#include "test_signalcodes.moc"
