#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "pdftext.h"
#include "preview/pageview.h"
#include "preview/printpreview.h"
#include "preview/prnprv.h"
#include "print/printscript.h"
#include "ui/prompts.h"

using namespace kv;
namespace prompts = kv::prompts;

namespace {

RadioData sample() {
  RadioData data;
  data.cell(1, kRxFreq) = QStringLiteral("435.12500");
  return data;
}

PrnPrv* openPreview(const QString& band = QStringLiteral("400MHz---470MHz")) {
  runPrintPreview(nullptr, sample(), band);
  return prnPrv();
}

// Pixels darker than the sheet's border: the ink of the drawing.
int ink(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 100;
  return n;
}

}  // namespace

class TestPrnPrv : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

 private slots:
  void init() { prompts::setTestMode(true); }
  void cleanup() {
    if (prnPrv()) prnPrv()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void opensModelessAtZoom100WithTheStatus() {
    PrnPrv* w = openPreview();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Preview"));
    QVERIFY(!w->isModal());
    QCOMPARE(w->statusText(), QStringLiteral("page: 1 of 1 zoom: 100%"));
    QCOMPARE(w->drawnZoom(), 100.0);
    QVERIFY(ink(w->surface()->picture()) > 1000);
    const QSize screen = w->screen()->availableGeometry().size();
    QVERIFY(qAbs(w->width() - screen.width() * 0.9) < 2);
    QVERIFY(qAbs(w->height() - screen.height() * 0.9) < 2);

    const QList<QPair<int, QStringList>> buttons = {{0, {"恢复", "refresh (CR)"}},
                                                    {1, {"放大", "zoom in (+)"}},
                                                    {2, {"缩小", "zoom out (-)"}},
                                                    {4, {"打印", "select printer"}},
                                                    {10, {"退出", "close"}}};
    for (const auto& [index, texts] : buttons) {
      QCOMPARE(w->button(index)->text(), texts[0]);
      QCOMPARE(w->button(index)->toolTip(), texts[1]);
      QVERIFY(!w->button(index)->icon().isNull());
    }
    QCOMPARE(w->zoomList()->count(), 8);
    QCOMPARE(w->zoomList()->itemText(0), QStringLiteral("25"));
    QCOMPARE(w->zoomList()->itemText(7), QStringLiteral("200"));
  }

  void aNewReportReplacesTheOpenPreview() {
    QPointer<PrnPrv> first = openPreview();
    PrnPrv* second = openPreview();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QVERIFY(second && second->isVisible());
    QCOMPARE(prnPrv(), second);
  }

  void zoomButtonsStopAtTheListsEnds() {
    PrnPrv* w = openPreview();
    w->zoomList()->setCurrentText(QStringLiteral("175"));
    w->button(1)->click();
    QCOMPARE(w->drawnZoom(), 200.0);
    QCOMPARE(w->statusText(), QStringLiteral("page: 1 of 1 zoom: 200%"));
    w->button(1)->click();
    QCOMPARE(w->zoomList()->currentText(), QStringLiteral("200"));
    w->zoomList()->setCurrentText(QStringLiteral("50"));
    w->button(2)->click();
    QCOMPARE(w->drawnZoom(), 25.0);
    w->button(2)->click();
    QCOMPARE(w->zoomList()->currentText(), QStringLiteral("25"));
    QCOMPARE(w->drawnZoom(), 25.0);
  }

  void pickingAZoomWaitsForARedraw() {
    PrnPrv* w = openPreview();
    const QImage before = w->surface()->picture();
    w->zoomList()->setCurrentText(QStringLiteral("50"));
    QCOMPARE(w->drawnZoom(), 100.0);
    QCOMPARE(w->surface()->picture(), before);
    w->button(0)->click();
    QCOMPARE(w->drawnZoom(), 50.0);
    QVERIFY(w->surface()->picture() != before);
  }

  void scrollingShiftsTheSheetAndRefreshReturnsToTheCorner() {
    PrnPrv* w = openPreview();
    w->zoomList()->setCurrentText(QStringLiteral("200"));
    w->button(0)->click();
    const QImage corner = w->surface()->picture();
    QScrollBar* v = w->verticalBar();
    QVERIFY(v->maximum() > 0);
    QCOMPARE(v->singleStep(), 20);
    v->setValue(300);
    QVERIFY(w->surface()->picture() != corner);
    w->button(0)->click();
    QCOMPARE(w->surface()->picture(), corner);
    QCOMPARE(v->value(), 300);
  }

  // Coming back to the preview redraws from the corner, with the bars at the corner too.
  void reactivationPutsSheetAndScrollBarsAtTheCorner() {
    PrnPrv* w = openPreview();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->zoomList()->setCurrentText(QStringLiteral("200"));
    w->button(0)->click();
    const QImage corner = w->surface()->picture();
    w->verticalBar()->setValue(300);
    w->horizontalBar()->setValue(100);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(w->verticalBar()->value(), 0);
    QCOMPARE(w->horizontalBar()->value(), 0);
    QCOMPARE(w->surface()->picture(), corner);
  }

  void growingTheWindowDrawsWhereTheScrollBarsNowStand() {
    PrnPrv* w = openPreview();
    w->zoomList()->setCurrentText(QStringLiteral("200"));
    w->button(0)->click();
    QScrollBar* v = w->verticalBar();
    v->setValue(v->maximum());
    const int before = v->maximum();
    w->resize(w->width(), w->height() + 300);
    QVERIFY(v->maximum() < before);
    const QImage afterResize = w->surface()->picture();
    w->SistemaVBAR();
    QCOMPARE(afterResize, w->surface()->picture());
  }

  void emptyPageListGivesABlankSheet() {
    PrnPrv w;
    w.show();
    w.MostraPagina();
    QCOMPARE(ink(w.surface()->picture()), 0);
    QCOMPARE(w.statusText(), QStringLiteral("page:  of 0 zoom: 100%"));
  }

  void cancellingPrinterSetupPrintsNothingSilently() {
    PrnPrv* w = openPreview();
    int asked = 0;
    w->setPrintSetup([&asked](QPrinter&) {
      ++asked;
      return PrnPrv::PrinterChoice::Cancelled;
    });
    w->button(4)->click();
    QCOMPARE(asked, 1);
    QVERIFY(prompts::shown().isEmpty());
  }

  // A computer without a printer says so, and its button saves the page as a PDF instead.
  void noPrinterOffersThePdf() {
    PrnPrv* w = openPreview();
    w->setPrintSetup([](QPrinter&) { return PrnPrv::PrinterChoice::NoPrinter; });
    const QString path = dir_.filePath(QStringLiteral("instead.pdf"));
    prompts::queueAnswer(true);
    prompts::queueFileName(path);
    w->button(4)->click();
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("没有可用的打印机"));
    QCOMPARE(prompts::shown()[0].captions, (QStringList{"保存为PDF…", "取消"}));
    QVERIFY(QFileInfo(path).size() > 0);

    prompts::queueAnswer(false);
    w->button(4)->click();
    QCOMPARE(prompts::shown().size(), 2);
    QCOMPARE(prompts::fileDialogs().size(), 1);  // cancelled: no second file dialog
  }

  void printingSendsThePageToTheChosenPrinter() {
    PrnPrv* w = openPreview();
    const QString path = dir_.filePath(QStringLiteral("printed.pdf"));
    w->setPrintSetup([&path](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(path);
      return PrnPrv::PrinterChoice::Chosen;
    });
    w->button(4)->click();
    QVERIFY(QFileInfo(path).size() > 0);
    if (kvtest::pdfReadable()) {
      QCOMPARE(kvtest::pdfPageCount(path), 1);
      QVERIFY(kvtest::pdfText(path).contains(QStringLiteral("435.12500")));
    }
    QVERIFY(w->isVisible());
  }

  void exportsThePdfTheUserNames() {
    PrnPrv* w = openPreview();
    const QString path = dir_.filePath(QStringLiteral("report"));
    prompts::queueFileName(path);
    w->button(5)->click();
    QVERIFY(QFileInfo(path + ".pdf").size() > 0);
    if (kvtest::pdfReadable())
      QVERIFY(kvtest::pdfText(path + ".pdf").contains(QStringLiteral("本机设置数据第一页")));
    QVERIFY(prompts::shown().isEmpty());

    prompts::queueFileName(dir_.filePath(QStringLiteral("no/such/dir/r.pdf")));
    w->button(5)->click();
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].title, QStringLiteral("提示"));
  }

  void centredTextOffTheSheetIsReported() {
    openPreview(QString(400, QLatin1Char('W')));
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("Error in coords!!!!"));
    QCOMPARE(prompts::shown()[0].title, QStringLiteral("PrintInCen"));
    QCOMPARE(prompts::shown()[0].icon, prompts::Icon::Critical);
    QVERIFY(prnPrv());
  }

  void exitClosesTheWindowButKeepsTheScript() {
    QPointer<PrnPrv> w = openPreview();
    w->button(10)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w);
    QVERIFY(QFile::exists(scriptFilePath()));
  }
};

QTEST_MAIN(TestPrnPrv)
#include "test_prnprv.moc"
