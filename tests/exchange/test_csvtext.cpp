#include <QtTest>

#include "exchange/csvtext.h"

using namespace kv;

// The text of a CSV file as a spreadsheet saved it: UTF-8 with or without a byte-order mark,
// or GB18030 (Windows decodes it with its own code page, Linux with Qt's converter).
class TestCsvText : public QObject {
  Q_OBJECT

 private slots:
  void decodes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString chinese = QStringLiteral("信道,频率");
    QTest::newRow("utf-8") << chinese.toUtf8() << chinese;
    QTest::newRow("utf-8 with a byte-order mark") << "\xEF\xBB\xBF" + chinese.toUtf8() << chinese;
    QTest::newRow("gb18030, two-byte") << QByteArray::fromHex("d0c5b5c02cc6b5c2ca") << chinese;
    // Characters that only GB18030's four-byte forms hold, past the older code pages.
    QTest::newRow("gb18030, four-byte") << QByteArray::fromHex("d0c5b5c02c9439fc3681308130")
                                        << QStringLiteral("信道,\U0001F600\u0080");
    QTest::newRow("empty") << QByteArray() << QString();
  }
  void decodes() {
    // Windows decodes GB18030 with its code page 54936, which Wine 8 lacks (Wine sets
    // WINECONFIGDIR in every program's environment).
    if (QByteArray(QTest::currentDataTag()).startsWith("gb18030") &&
        qEnvironmentVariableIsSet("WINECONFIGDIR"))
      QSKIP("Wine has no code page 54936");
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeCsvText(bytes), text);
  }
};

QTEST_GUILESS_MAIN(TestCsvText)
#include "test_csvtext.moc"
