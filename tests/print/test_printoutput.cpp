#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

#include "model/radiomodel.h"
#include "pdftext.h"
#include "print/printscript.h"
#include "print/scriptinterpreter.h"
#include "print/settingsreport.h"

using namespace kv;

namespace {

void writeLines(const QStringList& lines) {
  QVERIFY(NewScript());
  for (const QString& line : lines) QVERIFY(AppendScriptLine(line));
}

// A page whose only text is `marker`, preceded by a large font that must not leak into the
// next page.
QStringList page(const QString& marker) {
  return {"#startpage", "#fontname", "Arial", "#fontsize", "12",   "#fontbold", "0", "#y",
          "1000",       "#x",        "1000",  "#txt_l",    marker, "#fontsize", "60"};
}

// Dark pixels of a preview drawing.
QRect inked(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
  return box;
}

QImage preview(int page, double zoom) {
  QImage image(QSize(1600, 2300), QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(96 / 0.0254));
  image.setDotsPerMeterY(qRound(96 / 0.0254));
  image.fill(Qt::gray);
  QPainter painter(&image);
  drawPreviewPage(painter, page, zoom, QPointF(0, 0));
  return image;
}

}  // namespace

class TestPrintOutput : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  QString printed(int first, int last, int* pages = nullptr) {
    const QString path = dir_.filePath(QStringLiteral("range.pdf"));
    {
      QPdfWriter writer(path);
      if (!PrintPages(writer, first, last)) return QStringLiteral("<failed>");
    }
    if (pages) *pages = kvtest::pdfPageCount(path);
    return kvtest::pdfText(path);
  }

 private slots:
  void reportPdfCarriesEveryText() {
    RadioData data;
    data.settings.model = 2;
    data.settings.txTimeout = 3;
    data.settings.voice = 1;
    const QStringList channel = {"435.12500", "436.00000", "67", "D023N", "是", "窄", "中"};
    for (int c = 1; c <= 7; ++c) data.cell(1, c) = channel[c - 1];
    for (int c = 1; c <= 7; ++c) data.cell(16, c) = QStringLiteral("OFF");
    QVERIFY(writeSettingsReport(data, QStringLiteral("400MHz---470MHz")));
    const QString path = dir_.filePath(QStringLiteral("report.pdf"));
    QVERIFY(exportPdf(path));
    QCOMPARE(kvtest::pdfPageCount(path), 1);

    const QString text = kvtest::pdfText(path);
    QStringList expected = {"打印预览",
                            "第一页",
                            "本机设置数据第一页",
                            "一整机功能设置部份",
                            "机型：" + modelNames()[2],
                            "频率：400MHz---470MHz",
                            "监听功能：打开",
                            "省电功能：有效",
                            "发射限时：90s",
                            "静噪等级：4",
                            "打描功能：有效",
                            "语音报频：中文",
                            "二信道数据设置部份"};
    expected << columnHeadings() << channel;
    for (int n = 1; n <= 16; ++n) expected << QString::number(n);
    for (const QString& item : expected) QVERIFY2(text.contains(item), qPrintable(item));
    // The transmit-power column is on the sheet too: row 1's texts in order on one line.
    QVERIFY2(text.contains("1 " + channel.join(' ')), qPrintable(text));
  }

  void textThatLooksLikeAKeywordIsDrawn() {
    writeLines({"#startpage", "#x", "1000", "#y", "1000", "#txt_l", "#x"});
    QVERIFY(printed(1, 1).contains(QStringLiteral("#x")));
  }

  void printPagesPrintsOnlyTheRange() {
    QStringList script = page("PAGEONE");
    script << page("PAGETWO");
    writeLines(script);
    int pages = 0;
    QString text = printed(1, 1, &pages);
    QVERIFY(text.contains(QStringLiteral("PAGEONE")));
    QVERIFY(!text.contains(QStringLiteral("PAGETWO")));
    QCOMPARE(pages, 1);
    text = printed(2, 2, &pages);
    QVERIFY(!text.contains(QStringLiteral("PAGEONE")));
    QVERIFY(text.contains(QStringLiteral("PAGETWO")));
    QCOMPARE(pages, 1);
  }

  void pagesOfARangeGetTheirOwnSheets() {
    // Without end-of-page lines as well as with them: never two pages on one sheet, never a
    // blank sheet after the last.
    writeLines(page("PAGEONE") + page("PAGETWO"));
    int pages = 0;
    printed(1, 5, &pages);
    QCOMPARE(pages, 2);
    writeLines(page("PAGEONE") + QStringList{"#endpage"} + page("PAGETWO") +
               QStringList{"#endpage"});
    printed(1, 5, &pages);
    QCOMPARE(pages, 2);
  }

  void previewScalesWithTheZoom() {
    writeLines(page("WWWWWWWW"));
    const QRect full = inked(preview(1, 100));
    const QRect half = inked(preview(1, 50));
    QVERIFY(!full.isEmpty());
    // 1000 twips at 96 dpi are 66.7 pixels at 100 %.
    QVERIFY(qAbs(full.left() - 67) <= 2);
    QVERIFY(qAbs(half.left() - 33) <= 2);
    QVERIFY(qAbs(full.width() - 2 * half.width()) <= 3);
  }

  void previewOfAMissingPageIsBlank() {
    writeLines(page("WWWWWWWW"));
    QVERIFY(inked(preview(0, 100)).isEmpty());
    QVERIFY(inked(preview(2, 100)).isEmpty());
  }

  void previewStopsAtTheSelectedPagesEnd() {
    writeLines(page("WWWWWWWW") + QStringList{"#endpage", "#y", "5000", "#txt_l", "LATER"});
    const QRect box = inked(preview(1, 100));
    QVERIFY(box.bottom() < 5000 / 15);
  }
};

QTEST_MAIN(TestPrintOutput)
#include "test_printoutput.moc"
