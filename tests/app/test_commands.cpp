#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/commands.h"
#include "editor/mainfrm.h"
#include "kvsimprocess.h"
#include "preview/printpreview.h"
#include "preview/prnprv.h"
#include "print/printscript.h"
#include "sampledata.h"
#include "ui/prompts.h"
#include "usersettingsdir.h"

using namespace kv;

namespace {

// Triggers a menu command of the main window and, should it open a modal window, closes
// that window again so the test goes on. Returns the class name of the modal window.
QString runAndDismiss(mainFrm& w, const char* action) {
  QString modal;
  QTimer::singleShot(50, [&modal] {
    if (QWidget* m = QApplication::activeModalWidget()) {
      modal = QString::fromLatin1(m->metaObject()->className());
      m->close();
    }
  });
  w.findChild<QAction*>(QLatin1String(action))->trigger();
  QTest::qWait(100);
  return modal;
}

bool shownText(const QString& text) {
  for (const auto& s : prompts::shown())
    if (s.text == text) return true;
  return false;
}

}  // namespace

class TestCommands : public QObject {
  Q_OBJECT

 private slots:
  // The port dialog remembers its choice in the user's settings: a test's own, not the user's,
  // and none from an earlier run.
  void initTestCase() {
    kvtest::useTemporaryDataFolders();
    kvtest::useTemporaryUserSettings();
  }
  void init() { prompts::setTestMode(true); }

  void everyCommandReachesItsWindow() {
    mainFrm w;
    wireCommands(w);
    w.show();
    QVERIFY(w.statusBar()->currentMessage().startsWith("COM1"));

    prompts::queueAnswer(false);  // "确定要开始读频吗?" answered with Cancel
    runAndDismiss(w, "mnuRead");
    QVERIFY(shownText("确定要开始读频吗?"));
    prompts::queueAnswer(false);
    runAndDismiss(w, "mnuWrite");
    QVERIFY(shownText("确定要开始写频吗?"));
    QCOMPARE(runAndDismiss(w, "mnuTune"), QStringLiteral("kv::frmLogin"));
    QCOMPARE(runAndDismiss(w, "mnuPort"), QStringLiteral("kv::frmDK"));
    QVERIFY(!shownText("此功能暂未提供"));
  }

  void writeThenReadThroughTheWindow() {
    QTemporaryDir dir;
    kvtest::KvsimProcess radio({"--image", dir.filePath("radio.bin")});
    qputenv("KVPROG_PORTS", radio.device().toLocal8Bit());
    mainFrm w;
    wireCommands(w);
    w.show();
    w.data() = kvtest::sampleRadioData();
    w.refreshFromData();
    const RadioData written = w.data();

    prompts::queueAnswer(true);  // "确定要开始写频吗?"
    w.findChild<QAction*>(QStringLiteral("tbWrite"))->trigger();
    w.data() = RadioData{};
    w.refreshFromData();
    prompts::queueAnswer(true);  // "确定要开始读频吗?"
    w.findChild<QAction*>(QStringLiteral("tbRead"))->trigger();
    qunsetenv("KVPROG_PORTS");

    QCOMPARE(w.data().settings, written.settings);
    QCOMPARE(w.data().tune, written.tune);
    QCOMPARE(w.data().channels[0], written.channels[0]);
    QCOMPARE(w.data().cell(16, kRxFreq), QStringLiteral("450.00625"));
    QCOMPARE(w.data().cell(5, kRxFreq), QStringLiteral("OFF"));  // what an empty cell reads back as
    QCOMPARE(w.bandLabelText(), bandTextOf(w.bands(), written.settings.model));
    QCOMPARE(prompts::shown().size(), 2);  // the two confirmations, no error
    QVERIFY(!w.isModified());  // the trim read differs from the window's: still nothing to save
  }

  void printShowsThePreviewAndClosingClearsTheScript() {
    auto* w = new mainFrm;
    wireCommands(*w);
    w->show();
    w->findChild<QAction*>(QStringLiteral("mnuPreview"))->trigger();
    QTRY_VERIFY(prnPrv() && prnPrv()->isVisible());
    QVERIFY(QFile::exists(scriptFilePath()));
    w->close();
    QVERIFY(!QFile::exists(scriptFilePath()));
    delete w;
  }
};

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
