#include <QFontMetricsF>
#include <QImage>
#include <QtTest>

#include "model/radiomodel.h"
#include "print/printscript.h"
#include "print/scriptfonts.h"
#include "print/scriptreader.h"
#include "print/settingsreport.h"
#include "testfiles.h"

using namespace kv;

namespace {

QStringList scriptLines() {
  QString text = QString::fromUtf8(kvtest::readAll(scriptFilePath()));
  if (text.endsWith(QLatin1String("\r\n"))) text.chop(2);
  return text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
}

QList<ScriptCommand> scriptCommands() {
  ScriptReader reader(scriptFilePath());
  QList<ScriptCommand> list;
  ScriptCommand c;
  while (reader.next(c)) list << c;
  return list;
}

// The texts drawn by one drawing keyword, with the font name in force.
QList<QPair<QString, QString>> drawn(const QString& keyword) {
  QList<QPair<QString, QString>> texts;
  QString font;
  for (const ScriptCommand& c : scriptCommands()) {
    if (c.keyword == QLatin1String("#fontname")) font = c.args[0];
    if (c.keyword == keyword) texts.append({c.args[0], font});
  }
  return texts;
}

int count(const QString& keyword) {
  int n = 0;
  for (const ScriptCommand& c : scriptCommands()) n += c.keyword == keyword;
  return n;
}

}  // namespace

class TestPrintScript : public QObject {
  Q_OBJECT
  QList<QPair<QString, QString>> errors_;

 private slots:
  void init() {
    errors_.clear();
    setScriptErrorHandler([this](const QString& text, const QString& title) {
      errors_.append({text, title});
    });
  }

  void writersWriteTheExactLines() {
    QVERIFY(NewScript());
    QVERIFY(PrintInLeft(1.5f, 9.0f, QStringLiteral("#x"), QStringLiteral("Arial"), 12, true));
    QVERIFY(PrintBox(2.0f, 0.9f, 18.0f, 0.91f));
    QVERIFY(PrintInRight(18.0f, 0.55f, QStringLiteral("右"), QStringLiteral("宋体"), 8, false));
    QCOMPARE(scriptLines(),
             QStringList(
                 {"#fontname", "Arial", "#fontsize", "12",     "#fontbold", "-1",     "#y",
                  "5103",      "#x",    "850.5",     "#txt_l", "#x",        "#fill",  "1",
                  "#color",    "0",     "#line",     "1134",   "510.3",     "10206",  "515.97",
                  "",          "B",     "#fontname", "宋体",   "#fontsize", "8",      "#fontbold",
                  "0",         "#y",    "311.85",    "#x",     "10206",     "#txt_r", "右"}));
    // Every line, the last included, ends with CR LF.
    const QByteArray bytes = kvtest::readAll(scriptFilePath());
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
    QVERIFY(bytes.endsWith("\r\n"));
  }

  void argumentLinesAreNeverKeywords() {
    QVERIFY(NewScript());
    for (const char* line : {"junk", "#x", "#y", "#txt_l", "#startpage", "#endpage", "#line", "#x",
                             "#y", "1", "2", "", "B", "#nothing"})
      QVERIFY(AppendScriptLine(QString::fromUtf8(line)));
    const QList<ScriptCommand> list = scriptCommands();
    QCOMPARE(list.size(), 4);
    QCOMPARE(list[0].keyword, QStringLiteral("#x"));
    QCOMPARE(list[0].args, QStringList{"#y"});
    QCOMPARE(list[1].args, QStringList{"#startpage"});
    QCOMPARE(list[2].keyword, QStringLiteral("#endpage"));
    QCOMPARE(list[3].args, QStringList({"#x", "#y", "1", "2", "", "B"}));
  }

  void numbersAreReadLikeTheWriterMeantThem_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << "850,5" << 850.5;
    QTest::newRow("point") << "850.5" << 850.5;
    QTest::newRow("blanks") << "  12" << 12.0;
    QTest::newRow("trailing text") << "12abc" << 12.0;
    QTest::newRow("negative") << "-1" << -1.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
  }
  void numbersAreReadLikeTheWriterMeantThem() {
    QFETCH(QString, line);
    QFETCH(double, value);
    QCOMPARE(scriptValue(line), value);
  }

  void measuringFontHasArialMetrics() {
    // Arial's digits advance 1139/2048 em; at 7.5 pt (150 twips) ten of them take 834 twips.
    QCOMPARE(qRound(measuringWidth(QStringLiteral("0123456789"))), 834);
  }

  void centredTextIsCentredInTheMeasuringFont() {
    QVERIFY(NewScript());
    const QString text = QStringLiteral("机型：KV");
    QVERIFY(PrintInCen(9.0f, 1.5f, text, QStringLiteral("宋体"), 16, true));
    const QStringList lines = scriptLines();
    const int x = lines.indexOf(QStringLiteral("#x"));
    QCOMPARE(lines[x + 1].toDouble(), 5103 - std::floor(measuringWidth(text) / 2));
    QCOMPARE(lines[x + 2], QStringLiteral("#txt_c"));
  }

  void centredTextLeftOfTheSheetIsReportedAndDropped() {
    QVERIFY(NewScript());
    QVERIFY(PrintInCen(0.1f, 1.0f, QStringLiteral("a rather long text"), QStringLiteral("Arial"),
                       12, false));
    QCOMPARE(errors_, (QList<QPair<QString, QString>>{{"Error in coords!!!!", "PrintInCen"}}));
    QVERIFY(scriptLines().isEmpty());
    QVERIFY(PrintInCen(5.0f, 1.0f, QStringLiteral("next"), QStringLiteral("Arial"), 12, false));
    QCOMPARE(drawn(QStringLiteral("#txt_c")).size(), 1);
    QCOMPARE(errors_.size(), 1);
  }

  void reportHoldsOnePageOfTexts() {
    RadioData data;
    data.cell(1, kRxFreq) = QStringLiteral("450.12500");
    data.cell(2, kRxFreq) = QStringLiteral("OFF");
    QVERIFY(writeSettingsReport(data, QStringLiteral("400MHz---470MHz")));
    QVERIFY(writeSettingsReport(data, QStringLiteral("400MHz---470MHz")));  // replaces the first
    QCOMPARE(count(QStringLiteral("#startpage")), 1);
    QCOMPARE(count(QStringLiteral("#endpage")), 0);
    QCOMPARE(count(QStringLiteral("#line")), 1);
    QCOMPARE(drawn(QStringLiteral("#txt_r")),
             (QList<QPair<QString, QString>>{{"第一页", "Arial"}}));

    const QStringList centred = {
        "本机设置数据第一页",    "一整机功能设置部份", "机型：" + modelNames()[0],
        "频率：400MHz---470MHz", "监听功能：打开",     "省电功能：有效",
        "发射限时：关闭",        "静噪等级：4",        "打描功能：有效",
        "语音报频：关",          "二信道数据设置部份"};
    QStringList texts;
    for (const auto& [text, font] : drawn(QStringLiteral("#txt_c"))) {
      QCOMPARE(font, QStringLiteral("Arial"));
      texts << text;
    }
    QCOMPARE(texts, centred);

    // The header's left text, then the 17 x 8 grid row by row, empty cells included.
    const auto left = drawn(QStringLiteral("#txt_l"));
    QCOMPARE(left.size(), 1 + 136);
    QCOMPARE(left[0].first, QStringLiteral("打印预览"));
    QCOMPARE(left[1].first, QStringLiteral("信道"));
    QCOMPARE(left[8].first, QStringLiteral("发射功率"));
    QCOMPARE(left[9].first, QStringLiteral("1"));
    QCOMPARE(left[10].first, QStringLiteral("450.12500"));
    QCOMPARE(left[11].first, QString());
    QCOMPARE(left[18].first, QStringLiteral("OFF"));
    QCOMPARE(left[129].first, QStringLiteral("16"));
    for (int i = 1; i < left.size(); ++i) QCOMPARE(left[i].second, QStringLiteral("宋体"));
  }

  void reportWithoutModelOrBandShowsBareLabels() {
    RadioData data;
    data.settings.model = -1;
    QVERIFY(writeSettingsReport(data, QString()));
    const auto centred = drawn(QStringLiteral("#txt_c"));
    QCOMPARE(centred[2].first, QStringLiteral("机型："));
    QCOMPARE(centred[3].first, QStringLiteral("频率："));
  }

  void everyColumnEndsInsideThePrintableWidth() {
    // Twips as pixels: an image at 1440 dots per inch.
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(1440 / 0.0254));
    device.setDotsPerMeterY(qRound(1440 / 0.0254));
    const QFontMetricsF metrics(scriptFont(QStringLiteral("宋体"), 12, true), &device);
    RadioData data;
    for (int n = 1; n <= kChannelCount; ++n) {
      data.cell(n, kRxFreq) = data.cell(n, kTxFreq) = QStringLiteral("470.00000");
      data.cell(n, kRxSignal) = data.cell(n, kTxSignal) = QStringLiteral("D754N");
    }
    const QStringList widest = {"16",    "470.00000", "470.00000", "D754N",
                                "D754N", "繁忙锁定",  "宽/窄",     "发射功率"};
    const auto& lefts = reportColumnLefts();
    for (int c = 0; c < kColumnCount; ++c) {
      const double right = lefts[c] * 567 + metrics.horizontalAdvance(widest[c]);
      if (c + 1 < kColumnCount) QVERIFY2(right < lefts[c + 1] * 567, qPrintable(widest[c]));
      // A4 is 21.0 cm wide; printers lose up to about 6 mm at each edge.
      QVERIFY2(right < 19.8 * 567, qPrintable(widest[c]));
    }
  }

  void deleteScriptRemovesTheFile() {
    QVERIFY(NewScript());
    DeleteScript();
    QVERIFY(!QFile::exists(scriptFilePath()));
    DeleteScript();  // a missing file is no error
    QVERIFY(QFileInfo(scriptFilePath()).absolutePath() != QDir::currentPath());
  }
};

QTEST_MAIN(TestPrintScript)
#include "test_printscript.moc"
