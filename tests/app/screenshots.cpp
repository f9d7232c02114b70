// Takes pictures of the program's windows under a virtual display: the main window at
// start-up, a frequency editor over a cell, the question about unsaved changes, the offer of
// a recovery copy, the signalling list dropped down, a selection of cells with the grid's context
// menu, the recent files, the about box, the manual, the port dialog with a workshop's ports, the
// tune window's refusal, the 编程 menu with its write options, the 端口选择 menu, and a write with
// verify to a kvsim radio that keeps a byte wrong: the progress window during the read-back and the
// differences found; 批量写频 to three radios during and after the run, and 与对讲机比较 finding a
// difference, and the job log of those in both languages. Usage: kvprog-screenshots OUTPUT-FOLDER
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "../editor/editorfixture.h"
#include "app/application.h"
#include "app/frmabout.h"
#include "app/helpwindow.h"
#include "app/recoverycopy.h"
#include "image/chpfile.h"
#include "image/inifile.h"
#include "image/programlanguage.h"
#include "kvsimprocess.h"
#include "link/radiojob.h"
#include "transfer/frmdk.h"
#include "transfer/frmfleet.h"
#include "transfer/frmjoblog.h"
#include "transfer/frmwait.h"
#include "transfer/transfercommands.h"
#include "tune/frmmode.h"
#include "ui/usersettings.h"

namespace {

QDir out;
bool allSaved = true;

void save(const QPixmap& picture, const QString& name) {
  const QString path = out.filePath(name);
  allSaved = picture.save(path) && allSaved;
  qInfo("%s", qPrintable(path));
}

// The whole display: pop-ups and dialogs are windows of their own.
void saveScreen(const QString& name) {
  QTest::qWait(300);
  save(QGuiApplication::primaryScreen()->grabWindow(0), name);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  kv::configureApplication(app);
  if (argc < 2) {
    qWarning("usage: kvprog-screenshots OUTPUT-FOLDER");
    return 2;
  }
  out = QDir(QString::fromLocal8Bit(argv[1]));
  out.mkpath(QStringLiteral("."));
  kvtest::useTemporaryUserSettings();  // the recent files shown are made up

  QTemporaryDir recoveryData;  // outlives the window's recovery copy
  kv::mainFrm w;
  w.bands().fill(QStringLiteral("400MHz---470MHz"));
  const QStringList rows[] = {
      {"435.12500", "435.12500", "67", "67", "否", "宽", "高"},
      {"436.00625", "441.00625", "D023N", "D023N", "是", "窄", "中"},
      {"446.00000", "446.00000", "OFF", "123", "否", "宽", "低"},
  };
  kv::RadioData shown;
  for (int n = 0; n < 3; ++n)
    for (int c = 1; c <= 7; ++c) shown.cell(n + 1, c) = rows[n][c - 1];
  w.document().replace(shown);
  w.refreshFromData();
  w.setCommand(kv::mainFrm::Command::About, [&w] { kv::frmAbout(&w).exec(); });
  w.adjustSize();
  w.move(w.screen()->availableGeometry().center() - w.rect().center());
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) qWarning("the main window was not shown");
  QTest::qWait(200);
  save(w.grab(), QStringLiteral("main-window.png"));

  kv::test::clickCell(w, 4, 1);
  QTest::keyClicks(w.channelGrid()->rxFreqEditor(), QStringLiteral("438.5"));
  save(w.grab(), QStringLiteral("frequency-editor.png"));

  // The typing has changed the document: closing asks first; "取消" keeps the window.
  QTimer::singleShot(300, [] {
    saveScreen(QStringLiteral("unsaved-changes.png"));
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      box->escapeButton()->click();
  });
  w.close();

  // A copy of unsaved edits that an ended program left: offered at start; "否" deletes it.
  qputenv("XDG_DATA_HOME", recoveryData.path().toLocal8Bit());
  const QDir recovery(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                      QStringLiteral("/recovery"));
  recovery.mkpath(QStringLiteral("."));
  kv::saveChpFile(recovery.filePath(QStringLiteral("4194305.chp")), w.data());
  QTimer::singleShot(300, [] {
    saveScreen(QStringLiteral("recovery-question.png"));
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      box->escapeButton()->click();
  });
  (new kv::RecoveryCopy(w))->offerCopies();

  kv::test::clickCell(w, 2, 3);
  w.channelGrid()->signalList()->showPopup();
  saveScreen(QStringLiteral("signalling-list.png"));
  w.channelGrid()->signalList()->hidePopup();

  kv::test::clickCell(w, 2, 6);
  w.channelGrid()->shortList()->showPopup();
  saveScreen(QStringLiteral("short-list.png"));
  w.channelGrid()->shortList()->hidePopup();

  // Rows 1 to 3, receive frequency to receive signalling, dragged over with the mouse.
  QTableWidget* grid = w.channelGrid()->grid();
  const auto centre = [grid](int row, int column) {
    return grid->visualItemRect(grid->item(row, column)).center();
  };
  QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centre(1, 1));
  QTest::mouseMove(grid->viewport(), centre(3, 3));
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre(3, 3));
  save(w.grab(), QStringLiteral("cell-selection.png"));

  QTimer::singleShot(300, [] {
    saveScreen(QStringLiteral("grid-context-menu.png"));
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  });
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, centre(2, 2),
                              grid->viewport()->mapToGlobal(centre(2, 2)));
  QApplication::sendEvent(grid->viewport(), &menuEvent);

  for (const char* name : {"中继台备用.chp", "/home/tech/客户/城东物业.chp", "/home/tech/test.chp"})
    kv::UserSettings().addRecentFile(QDir::home().filePath(QString::fromUtf8(name)));
  auto* fileMenu = w.findChild<QMenu*>(QStringLiteral("mnuFile"));
  QTimer::singleShot(300, [] {
    saveScreen(QStringLiteral("recent-files.png"));
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  });
  fileMenu->exec(w.mapToGlobal(w.menuBar()->geometry().bottomLeft()));

  kv::frmAbout about(&w);
  about.show();
  if (!QTest::qWaitForWindowExposed(&about)) qWarning("the about box was not shown");
  saveScreen(QStringLiteral("about.png"));
  about.close();

  kv::HelpWindow::showHelp(&w);
  saveScreen(QStringLiteral("help.png"));

  for (QWidget* top : QApplication::topLevelWidgets())
    if (top != &w) top->close();

  kv::setPortSource([] {
    QList<kv::PortInfo> ports;
    for (const char* device : {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"}) {
      kv::PortInfo legacy;
      legacy.device = QString::fromLatin1(device);
      ports << legacy;
    }
    kv::PortInfo ch340;
    ch340.device = QStringLiteral("/dev/ttyUSB0");
    ch340.description = QStringLiteral("USB-Serial CH340");
    ch340.manufacturer = QStringLiteral("QinHeng Electronics");
    ch340.vendorId = 0x1a86;
    ch340.productId = 0x7523;
    kv::PortInfo ftdi = ch340;
    ftdi.device = QStringLiteral("/dev/ttyUSB1");
    ftdi.description = QStringLiteral("FT232R USB UART");
    ftdi.manufacturer = QStringLiteral("FTDI");
    ftdi.serialNumber = QStringLiteral("A50285BI");
    ftdi.vendorId = 0x0403;
    ftdi.productId = 0x6001;
    return ports << ch340 << ftdi;
  });
  kv::frmDK ports(kv::PortChoice{}, &w);
  ports.show();
  if (!QTest::qWaitForWindowExposed(&ports)) qWarning("the port dialog was not shown");
  saveScreen(QStringLiteral("port-dialog.png"));
  ports.close();

  // The tune window refusing a band no frequency could pass (one down-click from 100).
  QTemporaryDir settingsDir;
  kv::IniFile settings(settingsDir.filePath(QStringLiteral("Sfc.ini")));
  kv::TuneValues tuneValues = w.data().tune;
  kv::frmMODE tune(tuneValues, w.bands(), 0, w.bandLabelText(), settings, &w);
  tune.show();
  if (!QTest::qWaitForWindowExposed(&tune)) qWarning("the tune window was not shown");
  tune.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("99"));
  QTimer::singleShot(300, [] {
    saveScreen(QStringLiteral("tune-band-refused.png"));
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  auto* tree = tune.findChild<QTreeWidget*>(QStringLiteral("tremode"));
  const QTreeWidgetItem* exit =
      tree->findItems(QCoreApplication::translate("kv::frmMODE", "退出调整"), Qt::MatchExactly)
          .first();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(exit).center());
  tune.close();

  // The write options, one of them on.
  w.findChild<QAction*>(QStringLiteral("mnuVerify"))->setChecked(true);
  auto* programMenu = w.findChild<QMenu*>(QStringLiteral("mnuProgram"));
  QTimer::singleShot(300, [] {
    saveScreen(QStringLiteral("program-menu.png"));
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  });
  programMenu->exec(
      w.mapToGlobal(w.menuBar()->actionGeometry(programMenu->menuAction()).bottomLeft()));

  // The 端口选择 menu with its one entry.
  auto* portMenu = w.findChild<QMenu*>(QStringLiteral("mnuCom"));
  QTimer::singleShot(300, [] {
    saveScreen(QStringLiteral("port-menu.png"));
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  });
  portMenu->exec(w.mapToGlobal(w.menuBar()->actionGeometry(portMenu->menuAction()).bottomLeft()));

  // At the line's own pace, so that the read-back takes long enough to be seen.
  QTemporaryDir dataFolder;  // the write's backups
  qputenv("XDG_DATA_HOME", dataFolder.path().toLocal8Bit());
  QProcess radio;
  radio.start(QStringLiteral(KV_BIN_DIR "/kvsim"), {"--baud", "9600", "--corrupt-at", "0x06"});
  if (!radio.waitForReadyRead(5000)) qWarning("kvsim did not start");
  qputenv("KVPROG_PORTS", radio.readLine().trimmed());
  QTimer watcher;
  bool busy = false;
  bool progressSaved = false;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (busy) return;
    busy = true;
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      // The texts in the language the pictures are taken in.
      if (box->text().startsWith(kv::jobtext::shown(kv::jobtext::kDiffers)))
        saveScreen(QStringLiteral("verify-differences.png"));
      else if (box->text().startsWith(QCoreApplication::translate("kv::TransferCommands",
                                                                  "对讲机中的数据与当前数据不同")))
        saveScreen(QStringLiteral("compare-differences.png"));
      box->defaultButton()->click();
    } else if (auto* wait = qobject_cast<kv::frmWAIT*>(QApplication::activeModalWidget());
               wait && !progressSaved &&
               wait->lblStep()->text().endsWith(kv::jobtext::shown(kv::jobtext::kStepVerify)) &&
               wait->pgbCount()->value() > 40 && wait->pgbCount()->value() < 128) {
      progressSaved = true;
      saveScreen(QStringLiteral("verify-progress.png"));
    }
    busy = false;
  });
  watcher.start(50);
  kv::runWriteCommand(&w, w.data(), {.verify = true});
  watcher.stop();
  radio.terminate();
  radio.waitForFinished(3000);

  // 批量写频 to three radios at the line's pace, one of them refusing block 60 and one keeping
  // a byte wrong: the dialog during the run and after it.
  kvtest::KvsimProcess fleetRadios[] = {
      kvtest::KvsimProcess({"--baud", "9600"}),
      kvtest::KvsimProcess({"--baud", "9600", "--nak-at", "60"}),
      kvtest::KvsimProcess({"--baud", "9600", "--corrupt-at", "16"})};
  QStringList devices;
  for (const auto& fleetRadio : fleetRadios) devices << fleetRadio.device();
  qputenv("KVPROG_PORTS", devices.join(',').toLocal8Bit());
  kv::frmFleet fleet([&w] { return std::optional(w.data()); }, &w);
  fleet.show();
  for (int row = 0; row < 3; ++row) fleet.portRow(row)->setCheckState(0, Qt::Checked);
  fleet.chkAnyModel()->setChecked(true);  // the radios start blank: no model's code
  watcher.start(50);                      // answers the question
  fleet.cmdStart()->click();
  while (fleet.running() && fleet.pgbPort(0)->value() < 70) QTest::qWait(50);
  const bool fleetSaved = fleet.running();
  saveScreen(QStringLiteral("fleet-write-running.png"));
  while (fleet.running()) QTest::qWait(100);
  saveScreen(QStringLiteral("fleet-write-done.png"));
  fleet.close();

  // 与对讲机比较 with the radio that keeps a byte wrong.
  qputenv("KVPROG_PORTS", devices[2].toLocal8Bit());
  kv::runCompareCommand(&w, w.data());
  watcher.stop();

  // 写频记录 after the batch and the comparison, in both languages.
  for (const kv::Language language : {kv::Language::Chinese, kv::Language::English}) {
    kv::useLanguage(language);
    kv::frmJobLog log([](const QString&) { return false; }, &w);
    log.show();
    saveScreen(language == kv::Language::English ? QStringLiteral("job-log-en.png")
                                                 : QStringLiteral("job-log.png"));
  }
  kv::useLanguage(kv::Language::Chinese);
  return allSaved && progressSaved && fleetSaved && out.exists("compare-differences.png") ? 0 : 1;
}
