#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/commands.h"
#include "editor/mainfrm.h"
#include "fulldisk.h"
#include "image/backups.h"
#include "image/chpfile.h"
#include "image/joblog.h"
#include "image/memoryimage.h"
#include "kvsimprocess.h"
#include "link/radiojob.h"
#include "preview/printpreview.h"
#include "preview/prnprv.h"
#include "print/printscript.h"
#include "sampledata.h"
#include "screenshot.h"
#include "testfiles.h"
#include "transfer/frmfleet.h"
#include "transfer/frmjoblog.h"
#include "transfer/frmwait.h"
#include "transfer/transfercommands.h"
#include "ui/prompts.h"
#include "ui/usersettings.h"
#include "usersettingsdir.h"

using namespace kv;

namespace {

const char kReadingWindow[] = "--reading-window";

// A second program beside the test's: reads the radio of KVPROG_PORTS through its window,
// saying "reading" as it starts, then prints channel 1's receive frequency.
int runReadingWindow() {
  prompts::setTestMode(true);
  mainFrm w;
  wireCommands(w);
  w.show();
  std::puts("reading");
  std::fflush(stdout);
  w.findChild<QAction*>(QStringLiteral("tbRead"))->trigger();  // "确定要开始读频吗?" answered OK
  std::puts(qPrintable(w.data().cell(1, kRxFreq)));
  return 0;
}

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

// The backups kept of `device` in one direction ("write", "read", "before"), with the
// radio's model when its image names one.
QStringList backupsOf(const QString& device, const QString& direction) {
  const QRegularExpression name(
      QStringLiteral(R"(-%1-%2(-KV--[\w()]+)?\.chp$)").arg(direction, backupPortName(device)));
  QStringList names = QDir(backupFolder()).entryList({QStringLiteral("*.chp")});
  names.removeIf([&](const QString& n) { return !name.match(n).hasMatch(); });
  return names;
}

// The steps the progress window names while a transfer runs; a picture of it during the
// read-back of a verify.
class StepWatcher {
 public:
  StepWatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* wait = qobject_cast<frmWAIT*>(top);
        if (!wait || !wait->isVisible() || !wait->lblStep()->isVisible()) continue;
        const QString step = wait->lblStep()->text();
        if (steps.isEmpty() || steps.last() != step) steps << step;
        if (step.endsWith(jobtext::kStepVerify) && wait->pgbCount()->value() > 0)
          kvtest::screenshot(*wait, QStringLiteral("frmWAIT-verify"));
      }
    });
    timer_.start(10);
  }
  QStringList steps;

 private:
  QTimer timer_;
};

// kvsim radios, one per list of options, each with its memory in a file of `dir` named by its
// place; they are the window's ports, in that order.
struct Bench {
  Bench(const QTemporaryDir& dir, const QList<QStringList>& faults) {
    for (const QStringList& fault : faults) {
      radios.push_back(std::make_unique<kvtest::KvsimProcess>(
          QStringList{"--image", dir.filePath(QString::number(radios.size()))} + fault));
      devices << radios.back()->device();
    }
    qputenv("KVPROG_PORTS", devices.join(',').toLocal8Bit());
  }
  ~Bench() { qunsetenv("KVPROG_PORTS"); }
  std::vector<std::unique_ptr<kvtest::KvsimProcess>> radios;
  QStringList devices;
};

// Opens 编程's "批量写频…" and runs `drive` on the dialog; the dialog goes when it is done.
void driveFleetDialog(mainFrm& w, const std::function<void(frmFleet&)>& drive) {
  QTimer::singleShot(0, [&drive] {
    auto* dialog = qobject_cast<frmFleet*>(QApplication::activeModalWidget());
    if (!dialog) return;
    drive(*dialog);
    dialog->done(QDialog::Rejected);
  });
  w.findChild<QAction*>(QStringLiteral("mnuFleetWrite"))->trigger();
}

// The tick box's box, not its text, as a hand would click it.
void clickTick(QCheckBox* tick) {
  QTest::mouseClick(tick, Qt::LeftButton, {}, QPoint(6, tick->height() / 2));
}

// A port's tick in its row, clicked where the list draws it.
void clickRowTick(frmFleet& dialog, int row) {
  QTreeWidget* list = dialog.lstPorts();
  QStyleOptionViewItem option;
  option.initFrom(list->viewport());
  option.rect = list->visualItemRect(dialog.portRow(row));
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  const QRect box =
      list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
}

bool isTicked(const frmFleet& dialog, int row) {
  return dialog.portRow(row)->checkState(0) == Qt::Checked;
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
    w.document().replace(kvtest::sampleRadioData());
    w.refreshFromData();
    const RadioData written = w.data();

    prompts::queueAnswer(true);  // "确定要开始写频吗?"
    w.findChild<QAction*>(QStringLiteral("tbWrite"))->trigger();
    QCOMPARE(w.statusBar()->currentMessage(), "写频成功：COM1：" + radio.device());
    kvtest::screenshot(w, QStringLiteral("mainFrm-written"));
    w.document().replace(RadioData{});
    w.refreshFromData();
    prompts::queueAnswer(true);  // "确定要开始读频吗?"
    w.findChild<QAction*>(QStringLiteral("tbRead"))->trigger();
    qunsetenv("KVPROG_PORTS");
    QCOMPARE(w.statusBar()->currentMessage(), "读频成功：COM1：" + radio.device());

    QCOMPARE(w.data().settings, written.settings);
    QCOMPARE(w.data().tune, written.tune);
    QCOMPARE(w.data().channels[0], written.channels[0]);
    QCOMPARE(w.data().cell(16, kRxFreq), QStringLiteral("450.00625"));
    QCOMPARE(w.data().cell(5, kRxFreq), QStringLiteral("OFF"));  // what an empty cell reads back as
    QCOMPARE(w.bandLabelText(), bandTextOf(w.bands(), written.settings.model));
    QCOMPARE(prompts::shown().size(), 2);  // the two confirmations, no error
    QVERIFY(!w.isModified());  // the trim read differs from the window's: still nothing to save
  }

  void writeWithBackupAndVerifyKeepsTheDocument() {
    // The devices of earlier tests' radios come back for later ones.
    QVERIFY(QDir(backupFolder()).removeRecursively());
    QTemporaryDir dir;
    const QByteArray before = QByteArray(kImageSize, char(0x00));
    QVERIFY(kvtest::writeAll(dir.filePath("radio.bin"), before));
    kvtest::KvsimProcess radio({"--image", dir.filePath("radio.bin")});
    qputenv("KVPROG_PORTS", radio.device().toLocal8Bit());
    auto w = std::make_unique<mainFrm>();
    wireCommands(*w);
    w->show();
    w->document().replace(kvtest::sampleRadioData());
    w->refreshFromData();
    const RadioData written = w->data();

    // Both checks are off until turned on, and stay on for the next window.
    for (const char* check : {"mnuReadFirst", "mnuVerify"}) {
      QAction* action = w->findChild<QAction*>(QLatin1String(check));
      QVERIFY(action->isCheckable() && !action->isChecked());
      action->trigger();
    }
    w = std::make_unique<mainFrm>();
    wireCommands(*w);
    w->show();
    QVERIFY(w->findChild<QAction*>(QStringLiteral("mnuVerify"))->isChecked());
    QVERIFY(w->findChild<QAction*>(QStringLiteral("mnuReadFirst"))->isChecked());
    w->document().change(written);  // as if typed: a document with changes to save
    w->refreshFromData();

    prompts::clearShown();
    StepWatcher watcher;
    prompts::queueAnswer(true);                  // "确定要开始写频吗?"
    prompts::queueAnswer(prompts::Answer::Yes);  // a radio of model 0x00: written all the same
    w->findChild<QAction*>(QStringLiteral("tbWrite"))->trigger();
    QCOMPARE(watcher.steps,
             (QStringList{"步骤 1/3：写频前备份", "步骤 2/3：写频", "步骤 3/3：读回校验"}));
    QCOMPARE(prompts::shown().size(), 3);
    QCOMPARE(prompts::shown()[1].text,
             QStringLiteral("对讲机的型号是0x00，当前数据的型号是KV--410B(3)。仍然写入吗？"));
    QCOMPARE(prompts::shown()[2].text, jobtext::kVerified);
    QCOMPARE(prompts::shown()[2].icon, prompts::Icon::Information);
    QCOMPARE(kvtest::readAll(dir.filePath("radio.bin")), encodeImage(written).bytes);
    // The read-back only checks: the document stays the window's own.
    QCOMPARE(w->data(), written);
    QVERIFY(w->isModified());
    const QStringList kept = backupsOf(radio.device(), "before");
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kvtest::readAll(QDir(backupFolder()).filePath(kept[0])), chpText(before));
    QCOMPARE(backupsOf(radio.device(), "write").size(), 1);

    // A radio that keeps one byte wrong: the difference, by channel and field.
    kvtest::KvsimProcess faulty({"--corrupt-at", "0x30"});
    qputenv("KVPROG_PORTS", faulty.device().toLocal8Bit());
    w->findChild<QAction*>(QStringLiteral("mnuReadFirst"))->trigger();
    prompts::clearShown();
    w->findChild<QAction*>(QStringLiteral("tbWrite"))->trigger();
    QCOMPARE(prompts::shown().size(), 2);
    QCOMPARE(prompts::shown()[1].text,
             jobtext::kDiffers + "：\n\n信道3 接收频率：460.10000 → 460.10001");
    QCOMPARE(prompts::shown()[1].icon, prompts::Icon::Warning);
    QCOMPARE(w->data(), written);
    QCOMPARE(backupsOf(faulty.device(), "read").size(), 1);
    QVERIFY(backupsOf(faulty.device(), "before").isEmpty());
    w->findChild<QAction*>(QStringLiteral("mnuVerify"))->trigger();
    qunsetenv("KVPROG_PORTS");

    // 打开备份: asks about the changes first, starts in the backups folder, and what it opens
    // is nobody's current file.
    prompts::clearShown();
    prompts::queueAnswer(prompts::Answer::No);  // "数据已修改，是否保存？"
    prompts::queueFileName(QDir(backupFolder()).filePath(kept[0]));
    w->findChild<QAction*>(QStringLiteral("mnuOpenBackup"))->trigger();
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::fileDialogs().last().start, backupFolder());
    QCOMPARE(prompts::fileDialogs().last().title, QStringLiteral("打开备份"));
    QVERIFY(w->data() != written);
    QVERIFY(w->currentFile().isEmpty());
    QVERIFY(!w->isModified());
    QVERIFY(UserSettings().recentFiles().isEmpty());
    // 打开备份文件夹 hands that folder to the file manager.
    w->findChild<QAction*>(QStringLiteral("mnuBackupFolder"))->trigger();
    QCOMPARE(prompts::openedUrls(), QList<QUrl>{QUrl::fromLocalFile(backupFolder())});
  }

  // Two programs reading two radios at once each show their own radio.
  void twoProgramsReadTwoRadiosAtOnce() {
    QTemporaryDir dir;
    RadioData mine = kvtest::sampleRadioData(), other = mine;
    other.cell(1, kRxFreq) = QStringLiteral("440.00000");
    QVERIFY(kvtest::writeAll(dir.filePath("mine.bin"), encodeImage(mine).bytes));
    QVERIFY(kvtest::writeAll(dir.filePath("other.bin"), encodeImage(other).bytes));
    // At the pace of a real line, so that the two reads overlap.
    kvtest::KvsimProcess myRadio({"--image", dir.filePath("mine.bin"), "--baud", "9600"});
    kvtest::KvsimProcess otherRadio({"--image", dir.filePath("other.bin"), "--baud", "9600"});
    QProcess otherWindow;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KVPROG_PORTS", otherRadio.device());
    otherWindow.setProcessEnvironment(env);
    otherWindow.start(QCoreApplication::applicationFilePath(), {kReadingWindow});
    QVERIFY(otherWindow.waitForReadyRead(30000));
    QCOMPARE(otherWindow.readLine().trimmed(), QByteArray("reading"));

    qputenv("KVPROG_PORTS", myRadio.device().toLocal8Bit());
    mainFrm w;
    wireCommands(w);
    w.show();
    prompts::queueAnswer(true);  // "确定要开始读频吗?"
    w.findChild<QAction*>(QStringLiteral("tbRead"))->trigger();
    qunsetenv("KVPROG_PORTS");
    // It may have ended while this window read.
    QVERIFY(otherWindow.state() == QProcess::NotRunning || otherWindow.waitForFinished(30000));
    QCOMPARE(w.data().cell(1, kRxFreq), QStringLiteral("435.12500"));
    QCOMPARE(otherWindow.readAllStandardOutput().trimmed(), QByteArray("440.00000"));
    QCOMPARE(prompts::shown().size(), 1);  // the question, no error
  }

  // A data folder with no room left costs the scratch file, not the read.
  void readOntoAFullDataFolderLoadsFromMemory() {
    kvtest::FullDisk disk;
    if (!disk.mounted()) QSKIP(disk.skipReason());
    QTemporaryDir dir;
    const RadioData data = kvtest::sampleRadioData();
    QVERIFY(kvtest::writeAll(dir.filePath("radio.bin"), encodeImage(data).bytes));
    kvtest::KvsimProcess radio({"--image", dir.filePath("radio.bin")});
    qputenv("KVPROG_PORTS", radio.device().toLocal8Bit());
    const QByteArray home = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", disk.path().toLocal8Bit());
    const QString scratch = scratchFilePath();  // its folder made before the disk is full
    QVERIFY(disk.fill());
    mainFrm w;
    wireCommands(w);
    w.show();
    prompts::clearShown();
    prompts::queueAnswer(true);  // "确定要开始读频吗?"
    w.findChild<QAction*>(QStringLiteral("tbRead"))->trigger();
    qputenv("XDG_DATA_HOME", home);
    qunsetenv("KVPROG_PORTS");

    RadioData fromRadio;  // what a read of that radio loads
    QCOMPARE(loadChpText(chpText(encodeImage(data).bytes), fromRadio).status, LoadStatus::Loaded);
    QCOMPARE(w.data(), fromRadio);
    QVERIFY(!QFile::exists(scratch));
    QCOMPARE(prompts::shown().size(), 3);  // the question, then no error, only two warnings
    QVERIFY2(
        prompts::shown()[1].text.startsWith("数据已读入，但无法保存临时文件“" + scratch + "”："),
        qPrintable(prompts::shown()[1].text));
    QVERIFY(prompts::shown()[2].text.startsWith(jobtext::kBackupFailed.arg(QString())));
  }

  // Three radios written at once, one refusing a block and one keeping a byte wrong; then each
  // compared with the window.
  void fleetWriteThenCompareWithARadio() {
    QTemporaryDir dir;
    QFile::remove(jobLogPath());
    const Bench bench(dir, {{}, {"--nak-at", "9"}, {"--corrupt-at", "0x30"}});
    const QStringList& devices = bench.devices;
    mainFrm w;
    wireCommands(w);
    w.show();
    w.document().change(kvtest::sampleRadioData());
    const RadioData written = w.data();
    const QByteArray image = encodeImage(written).bytes;

    prompts::clearShown();
    driveFleetDialog(w, [&](frmFleet& dialog) {
      for (int row = 0; row < 3; ++row) {
        QCOMPARE(dialog.portRow(row)->text(0), devices[row]);
        clickRowTick(dialog, row);
      }
      clickTick(dialog.chkVerify());
      clickTick(dialog.chkKeepTune());  // blank radios: no model, no alignment of their own
      prompts::queueAnswer(true);       // "确定要开始向3台对讲机写频吗?"
      QTest::mouseClick(dialog.cmdStart(), Qt::LeftButton);
      QVERIFY(dialog.running() && !dialog.cmdStart()->isEnabled());
      QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), 20000);
      QCOMPARE(dialog.result(0), jobtext::kVerified);
      QCOMPARE(dialog.result(1), linktext::kCommError + jobtext::kMaybeMixed);
      QCOMPARE(dialog.result(2), jobtext::kDiffers);
      QCOMPARE(dialog.pgbPort(0)->value(), 128);
      QVERIFY(dialog.pgbPort(1)->value() < 128);  // where the line stopped
    });
    QCOMPARE(prompts::shown().size(), 1);  // the question, and no box during the run
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("确定要开始向3台对讲机写频吗?"));
    QCOMPARE(kvtest::readAll(dir.filePath("0")), image);
    QVERIFY(kvtest::readAll(dir.filePath("1")) != image);
    QByteArray corrupted = image;
    corrupted[0x30] = char(corrupted[0x30] ^ 0x01);
    QCOMPARE(kvtest::readAll(dir.filePath("2")), corrupted);
    // The ticks and the verify option are remembered, the latter shared with the menu.
    QVERIFY(w.findChild<QAction*>(QStringLiteral("mnuVerify"))->isChecked());
    driveFleetDialog(w, [](frmFleet& dialog) {
      for (int row = 0; row < 3; ++row) QVERIFY(isTicked(dialog, row));
      QVERIFY(dialog.chkVerify()->isChecked() && !dialog.chkReadFirst()->isChecked());
      QVERIFY(!dialog.chkKeepTune()->isChecked());
      clickTick(dialog.chkVerify());
      clickTick(dialog.chkKeepTune());
    });

    // No question first; the radio's value second; the window keeps its document, the read
    // is kept, and no scratch file is made.
    QFile::remove(scratchFilePath());
    for (const auto& [radio, message] : {std::pair<int, QString>{0, "对讲机中的数据与当前数据相同"},
                                         {2,
                                          "对讲机中的数据与当前数据不同：\n\n信道3 "
                                          "接收频率：460.10000 → 460.10001"}}) {
      qputenv("KVPROG_PORTS", devices[radio].toLocal8Bit());
      const int reads = backupsOf(devices[radio], "read").size();
      prompts::clearShown();
      w.findChild<QAction*>(QStringLiteral("mnuCompare"))->trigger();
      QCOMPARE(prompts::shown().size(), 1);
      QCOMPARE(prompts::shown()[0].text, message);
      QCOMPARE(backupsOf(devices[radio], "read").size(), reads + 1);
    }
    QVERIFY(!QFile::exists(scratchFilePath()));
    QCOMPARE(w.data(), written);
    QVERIFY(w.isModified());

    // The job log: a line for each radio of the batch as it ended, then each comparison, with
    // the hash of the image written or read and the backup that holds it.
    const struct {
      const char* action;
      int radio;
      const char* outcome;
      const char* verify;
      QByteArray image;
    } lines[] = {{"write", 0, "ok", "ok", image},
                 {"write", 1, "failed", "", image},
                 {"write", 2, "failed", "differs", image},
                 {"compare", 0, "ok", "ok", image},
                 {"compare", 2, "failed", "differs", corrupted}};
    QList<JobEntry> log = readJobLog().entries;
    QCOMPARE(log.size(), 5);
    std::sort(log.begin(), log.begin() + 3, [&](const JobEntry& a, const JobEntry& b) {
      return devices.indexOf(a.device) < devices.indexOf(b.device);
    });
    for (int i = 0; i < 5; ++i) {
      const JobEntry& line = log[i];
      QCOMPARE(line.action, QString(lines[i].action));
      QCOMPARE(line.device, devices[lines[i].radio]);
      QCOMPARE(line.outcome, QString(lines[i].outcome));
      QCOMPARE(line.verify, QString(lines[i].verify));
      QCOMPARE(line.differences, line.verify == "differs" ? 1 : 0);
      QCOMPARE(
          line.sha256,
          QString(QCryptographicHash::hash(lines[i].image, QCryptographicHash::Sha256).toHex()));
      QCOMPARE(line.model, QStringLiteral("KV--410B(3)"));
      if (i == 1) {  // not written, so nothing kept
        QCOMPARE(line.failure, linktext::kCommError + jobtext::kMaybeMixed);
        QVERIFY(line.backup.isEmpty());
      } else {
        QCOMPARE(kvtest::readAll(QDir(backupFolder()).filePath(line.backup)),
                 chpText(lines[i].image));
      }
    }

    // 写频记录: newest first, filtered, exported, and a line's backup opened by a double click
    // after the question about the changes.
    const QString csv = dir.filePath("jobs.csv");
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<frmJobLog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCOMPARE(dialog->rowCount(), 5);
      QCOMPARE(dialog->cellText(0, 1), QStringLiteral("比较"));
      int written = 2;  // the batch's line of the radio that took the write
      while (written < 5 && dialog->cellText(written, 3) != devices[0]) ++written;
      QTest::keyClicks(dialog->txtFilter(), devices[1]);
      QCOMPARE(dialog->rowCount(), 1);
      QCOMPARE(dialog->cellText(0, 2), QStringLiteral("失败"));
      dialog->txtFilter()->clear();
      kvtest::screenshot(*dialog, QStringLiteral("frmJobLog"));
      prompts::queueFileName(csv);
      QTest::mouseClick(dialog->cmdExport(), Qt::LeftButton);
      prompts::queueAnswer(prompts::Answer::No);  // "数据已修改，是否保存？"
      // A double click is a click and a second press that the system tells apart.
      QTableView* table = dialog->lstJobs();
      const QPoint line = table->visualRect(table->model()->index(written, 0)).center();
      QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, line);
      QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, line);
      if (dialog->isVisible()) dialog->reject();
    });
    prompts::clearShown();
    w.findChild<QAction*>(QStringLiteral("mnuJobLog"))->trigger();
    QCOMPARE(prompts::shown().size(), 2);
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("导出成功"));
    QCOMPARE(prompts::shown()[1].text, QStringLiteral("数据已修改，是否保存？"));
    QCOMPARE(encodeImage(w.data()).bytes, image);
    QVERIFY(!w.isModified() && w.currentFile().isEmpty());
    const QString exported = QString::fromUtf8(kvtest::readAll(csv));
    QCOMPARE(exported.count("\r\n"), 6);
    QVERIFY(exported.contains(log[0].sha256) && exported.contains(log[0].backup));
  }

  // 取消 and the frame ask once, then every line stops at once.
  void fleetWriteCancelStopsEveryRadio() {
    QTemporaryDir dir;
    const Bench bench(dir, {{"--no-handshake"}, {"--no-handshake"}, {"--no-handshake"}});
    mainFrm w;
    wireCommands(w);
    w.show();
    prompts::clearShown();
    driveFleetDialog(w, [&](frmFleet& dialog) {
      clickTick(dialog.chkKeepTune());  // no read first: each line's first words are its own
      for (int row = 0; row < 3; ++row)
        if (!isTicked(dialog, row)) clickRowTick(dialog, row);
      for (bool byFrame : {false, true}) {
        QTest::mouseClick(dialog.cmdStart(), Qt::LeftButton);
        QTRY_COMPARE(dialog.result(2), linktext::kConnecting);
        prompts::queueAnswer(false);  // "确定要取消吗": go on
        prompts::queueAnswer(true);   // and then cancel
        for (int i = 0; i < 2; ++i)
          byFrame ? void(dialog.close()) : QTest::mouseClick(dialog.cmdCancel(), Qt::LeftButton);
        QVERIFY(!dialog.cmdCancel()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), 1000);
        QVERIFY(dialog.isVisible());
        for (int row = 0; row < 3; ++row) QCOMPARE(dialog.result(row), jobtext::kCancelled);
      }
      clickTick(dialog.chkKeepTune());
      QTest::mouseClick(dialog.cmdCancel(), Qt::LeftButton);  // nothing runs: closes at once
      QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(prompts::shown().size(), 6);  // per run: the start and the cancel asked twice
    QCOMPARE(prompts::shown()[5].text, QStringLiteral("确定要取消吗"));
  }

  // 写频 with 写频前先备份 finds a radio of another model: it asks, and 否 writes nothing.
  void writeAsksBeforeWritingAnotherModel() {
    QTemporaryDir dir;
    RadioData other = kvtest::sampleRadioData();
    other.settings.model = 7;
    const QByteArray held = encodeImage(other).bytes;
    QVERIFY(kvtest::writeAll(dir.filePath("radio.bin"), held));
    kvtest::KvsimProcess radio({"--image", dir.filePath("radio.bin")});
    qputenv("KVPROG_PORTS", radio.device().toLocal8Bit());
    mainFrm w;
    wireCommands(w);
    w.show();
    w.document().replace(kvtest::sampleRadioData());
    w.refreshFromData();
    QAction* readFirst = w.findChild<QAction*>(QStringLiteral("mnuReadFirst"));
    if (!readFirst->isChecked()) readFirst->trigger();
    for (const prompts::Answer answer : {prompts::Answer::No, prompts::Answer::Yes}) {
      prompts::clearShown();
      prompts::queueAnswer(true);  // "确定要开始写频吗?"
      prompts::queueAnswer(answer);
      w.findChild<QAction*>(QStringLiteral("tbWrite"))->trigger();
      const prompts::Shown asked = prompts::shown().value(1);
      QCOMPARE(
          asked.text,
          QStringLiteral("对讲机的型号是KV--520(V)，当前数据的型号是KV--410B(3)。仍然写入吗？"));
      QCOMPARE(asked.title, QStringLiteral("提示"));
      QCOMPARE(asked.captions, (QStringList{"是", "否"}));
      QCOMPARE(asked.defaultAnswer, prompts::Answer::No);
      const bool written = answer == prompts::Answer::Yes;
      QCOMPARE(prompts::shown().size(), written ? 2 : 3);
      if (!written) QCOMPARE(prompts::shown()[2].text, jobtext::kNotWritten);
      QCOMPARE(kvtest::readAll(dir.filePath("radio.bin")),
               written ? encodeImage(w.data()).bytes : held);
    }
    readFirst->trigger();
    qunsetenv("KVPROG_PORTS");
  }

  // One plan into three radios that each keep their own crystal, IF side and power trim, ticked
  // from the keyboard; a fourth, of another model, is not written at all.
  void fleetKeepsEachRadiosAlignmentAndModel() {
    QTemporaryDir dir;
    const RadioData plan = kvtest::sampleRadioData();
    const QList<TuneValues> tunes{{"1", "0", 2}, {"0", "1", 9}, {"1", "1", 0}};
    QList<QByteArray> held;
    for (const TuneValues& tune : tunes) {
      RadioData own;  // another plan on a radio of the same model
      own.settings.model = plan.settings.model;
      own.tune = tune;
      held << encodeImage(own).bytes;
    }
    RadioData other = plan;
    other.settings.model = 7;
    held << encodeImage(other).bytes;
    for (int i = 0; i < held.size(); ++i)
      QVERIFY(kvtest::writeAll(dir.filePath(QString::number(i)), held[i]));
    const Bench bench(dir, {{}, {}, {}, {}});
    mainFrm w;
    wireCommands(w);
    w.show();
    w.document().change(plan);

    prompts::clearShown();
    driveFleetDialog(w, [&](frmFleet& dialog) {
      QVERIFY(dialog.chkKeepTune()->isChecked() && !dialog.chkAnyModel()->isChecked());
      QTreeWidget* list = dialog.lstPorts();
      list->setFocus();
      list->setCurrentItem(dialog.portRow(0));
      for (int row = 0; row < 4; ++row) {
        if (row > 0) QTest::keyClick(list, Qt::Key_Down);
        if (!isTicked(dialog, row)) QTest::keyClick(list, Qt::Key_Space);
        // What a screen reader finds in the row: the port and its tick.
        QAccessibleInterface* cell =
            QAccessible::queryAccessibleInterface(list)->tableInterface()->cellAt(row, 0);
        QCOMPARE(cell->text(QAccessible::Name), bench.devices[row]);
        QVERIFY(cell->state().checkable && cell->state().checked);
        QCOMPARE(dialog.pgbPort(row)->accessibleName(), bench.devices[row] + " 的写频进度");
      }
      clickTick(dialog.chkVerify());
      QTest::mouseClick(dialog.cmdStart(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(!dialog.running(), 20000);
      for (int row = 0; row < 3; ++row) QCOMPARE(dialog.result(row), jobtext::kVerifiedKeptTune);
      QCOMPARE(dialog.result(3), QStringLiteral("型号不同（对讲机：KV--520(V)），没有写入"));
      QVERIFY(dialog.cmdRetry()->isEnabled());
      clickTick(dialog.chkVerify());
    });
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("确定要开始向4台对讲机写频吗?"));
    for (int i = 0; i < 3; ++i) {  // the plan's channels and settings, the radio's own tune
      RadioData aligned = plan;
      aligned.tune = tunes[i];
      QCOMPARE(kvtest::readAll(dir.filePath(QString::number(i))), encodeImage(aligned).bytes);
    }
    QCOMPARE(kvtest::readAll(dir.filePath("3")), held[3]);
  }

  // Each row shows its result the moment its radio is done while a silent one goes on;
  // 重写失败的 runs that one alone again. The list follows the cables, but not during a run.
  void fleetRowsEndAloneAndRetryTheRest() {
    QVERIFY(QDir(backupFolder()).removeRecursively());
    QTemporaryDir dir;
    const Bench bench(dir, {{}, {}, {"--no-handshake"}});
    mainFrm w;
    wireCommands(w);
    w.show();
    prompts::clearShown();
    driveFleetDialog(w, [&](frmFleet& dialog) {
      const int rows = dialog.lstPorts()->topLevelItemCount();
      clickTick(dialog.chkKeepTune());  // blank radios: no model, no alignment of their own
      for (int row = 0; row < 3; ++row)
        if (!isTicked(dialog, row)) clickRowTick(dialog, row);
      QTest::mouseClick(dialog.cmdStart(), Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(
          dialog.result(0) == jobtext::kWritten && dialog.result(1) == jobtext::kWritten, 10000);
      QVERIFY(dialog.running());
      QCOMPARE(dialog.result(2), linktext::kConnecting);

      // Radio 1's cable pulled and another plugged in while the lines run.
      qputenv("KVPROG_PORTS",
              (bench.devices[0] + "," + bench.devices[2] + ",/dev/kvtest-new").toLocal8Bit());
      QTest::qWait(2 * frmFleet::kRelistMs);
      QVERIFY(!dialog.portRow(1)->isDisabled());
      QCOMPARE(dialog.lstPorts()->topLevelItemCount(), rows);
      prompts::queueAnswer(true);  // "确定要取消吗"
      QTest::mouseClick(dialog.cmdCancel(), Qt::LeftButton);
      QTRY_VERIFY(!dialog.running());
      QCOMPARE(dialog.result(2), jobtext::kCancelled);
      QTRY_VERIFY(dialog.portRow(1)->isDisabled());
      QCOMPARE(dialog.lstPorts()->topLevelItemCount(), rows + 1);
      QCOMPARE(dialog.portRow(rows)->text(0), QStringLiteral("/dev/kvtest-new"));

      QTest::mouseClick(dialog.cmdRetry(), Qt::LeftButton);
      QTRY_COMPARE(dialog.result(2), linktext::kConnecting);
      QCOMPARE(dialog.result(0), jobtext::kWritten);
      QCOMPARE(dialog.pgbPort(0)->value(), 128);
      prompts::queueAnswer(true);  // "确定要取消吗"
      QTest::mouseClick(dialog.cmdCancel(), Qt::LeftButton);
      QTRY_VERIFY(!dialog.running());
      clickTick(dialog.chkKeepTune());
    });
    QCOMPARE(prompts::shown().size(), 4);
    QCOMPARE(prompts::shown()[2].text, QStringLiteral("确定要开始写频吗?"));  // one radio again
    QCOMPARE(backupsOf(bench.devices[0], "write").size(), 1);
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

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc > 1 && qstrcmp(argv[1], kReadingWindow) == 0) return runReadingWindow();
  TestCommands test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_commands.moc"
