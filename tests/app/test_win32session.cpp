#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/commands.h"
#include "app/frmabout.h"
#include "app/recoverycopy.h"
#include "editor/mainfrm.h"
#include "image/backups.h"
#include "image/chpfile.h"
#include "image/joblog.h"
#include "image/programfolders.h"
#include "image/programlanguage.h"
#include "link/workerthreads.h"
#include "sampledata.h"
#include "testfiles.h"
#include "transfer/frmdk.h"
#include "transfer/portchoice.h"
#include "ui/programs.h"
#include "ui/prompts.h"
#include "ui/usersettings.h"

using namespace kv;

// A dealer's session in the window on Windows, in the user's own profile and folders (the
// Wine prefix of scripts/test-windows, whose user is "张三"), on the COM port that the script
// maps to kvsim (KVPROG_TEST_COM, COM12). The script then looks at the files it left and
// that the process ends soon after.
class TestWin32Session : public QObject {
  Q_OBJECT

  QString com_ = qEnvironmentVariable("KVPROG_TEST_COM");

 private slots:
  void initTestCase() {
    useProgramIdentity();
    prompts::setTestMode(true);
  }

  // Qt's own texts come from the translation beside the program, not from the build machine.
  void qtsOwnTextsAreChinese() {
    useLanguage(Language::Chinese);
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QVERIFY(kvtest::hasChinese(QCoreApplication::translate("QLineEdit", "&Undo")));
    QVERIFY(kvtest::hasChinese(menu->actions().value(0)->text()));
  }

  // The port chosen in 其他端口 is COM12 in the status bar, the remembered port and the
  // backups' names; a write with 写频前先备份 through it is written and backed up, and a read
  // brings it back. Each transfer runs on a worker thread of its own, the job log and the
  // recovery copy are in the user's own folder.
  void writeAndReadThroughAComPortAboveNine() {
    if (com_.isEmpty()) QSKIP("KVPROG_TEST_COM names no COM port");
    mainFrm w;
    wireCommands(w);
    w.show();
    w.document().replace(kvtest::sampleRadioData());
    w.refreshFromData();

    QTimer::singleShot(0, [this] {
      auto* dialog = qobject_cast<frmDK*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      const auto rows = dialog->lstPorts()->findItems(com_, Qt::MatchExactly);
      QCOMPARE(rows.size(), 1);
      const QRect rect = dialog->lstPorts()->visualItemRect(rows[0]);
      QTest::mouseClick(dialog->lstPorts()->viewport(), Qt::LeftButton, {}, rect.center());
      QTest::mouseClick(dialog->cmdQD(), Qt::LeftButton);
    });
    w.findChild<QAction*>(QStringLiteral("mnuPort"))->trigger();
    QCOMPARE(w.statusBar()->currentMessage(), com_);
    restoreRememberedPort();  // as the next start finds it
    QCOMPARE(currentPortText(), com_);

    // First the radio gets the document's model, which 写频前先备份 then finds there.
    w.findChild<QAction*>(QStringLiteral("tbWrite"))->trigger();
    QCOMPARE(w.statusBar()->currentMessage(), "写频成功：" + com_);
    QDir(backupFolder()).removeRecursively();
    w.findChild<QAction*>(QStringLiteral("mnuReadFirst"))->trigger();
    prompts::clearShown();
    w.findChild<QAction*>(QStringLiteral("tbWrite"))->trigger();
    QCOMPARE(w.statusBar()->currentMessage(), "写频成功：" + com_);
    QCOMPARE(prompts::shown().size(), 1);  // the confirmation, no error
    const QStringList kept = QDir(backupFolder()).entryList({QStringLiteral("*.chp")});
    QCOMPARE(kept.size(), 2);
    QVERIFY(kept[0].contains("-before-" + com_) && kept[1].contains("-write-" + com_));
    w.findChild<QAction*>(QStringLiteral("mnuReadFirst"))->trigger();

    const RadioData written = w.data();
    w.document().replace(RadioData{});
    w.refreshFromData();
    w.findChild<QAction*>(QStringLiteral("tbRead"))->trigger();
    QCOMPARE(w.statusBar()->currentMessage(), "读频成功：" + com_);
    QCOMPARE(w.data().settings, written.settings);
    QCOMPARE(w.data().channels[0], written.channels[0]);
    // Both jobs are in the user's own log, which reads back.
    const QList<JobEntry> jobs = readJobLog().entries;
    QVERIFY(jobs.size() >= 2);
    for (const auto& [entry, action] :
         {std::pair{jobs[jobs.size() - 2], "write"}, std::pair{jobs[jobs.size() - 1], "read"}})
      QVERIFY(entry.action == action && entry.port == com_ && entry.outcome == "ok");

    // Unsaved edits are copied into the user's own folder, from which they load again.
    new RecoveryCopy(w, {100, 100, 1000});
    RadioData edited = w.data();
    edited.cell(2, kRxFreq) = QStringLiteral("451.00000");
    w.document().change(edited);
    const QString copy =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            .filePath(QStringLiteral("recovery/%1.chp").arg(QCoreApplication::applicationPid()));
    QTRY_VERIFY(QFile::exists(copy));
    RadioData copied;
    QCOMPARE(loadChpFile(copy, copied).status, LoadStatus::Loaded);
    QCOMPARE(copied.cell(2, kRxFreq), edited.cell(2, kRxFreq));
    prompts::queueAnswer(prompts::Answer::No);  // the edits are given up: the copy goes
    QVERIFY(w.close() && !QFile::exists(copy));
  }

  // 系统信息 starts Windows' own system information program.
  void systemInformationIsWindowsOwn() {
    programs::setTestMode(true);
    prompts::clearShown();
    frmAbout about;
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    QCOMPARE(programs::started().size(), 1);
    QVERIFY(programs::started()[0].endsWith(QStringLiteral("/msinfo32.exe"), Qt::CaseInsensitive));
    QVERIFY(prompts::shown().isEmpty());
  }
};

// As the program starts: scripts/test-windows checks that the process ends soon after the
// session, its worker threads gone.
int main(int argc, char* argv[]) {
  prepareWorkerThreads();
  QApplication app(argc, argv);
  TestWin32Session test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_win32session.moc"
