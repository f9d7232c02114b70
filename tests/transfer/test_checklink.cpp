#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/commands.h"
#include "editor/mainfrm.h"
#include "image/memoryimage.h"
#include "image/programlanguage.h"
#include "kvsimprocess.h"
#include "link/linkcheck.h"
#include "link/portlist.h"
#include "sampledata.h"
#include "screenshot.h"
#include "testfiles.h"
#include "transfer/frmdk.h"
#include "transfer/frmwait.h"
#include "transfer/linkcheckcommand.h"
#include "transfer/portchoice.h"
#include "transfer/transfercommands.h"
#include "ui/prompts.h"
#include "usersettingsdir.h"

using namespace kv;
using kvtest::KvsimProcess;

namespace {

// The real message boxes as they come up: each one's text, title and buttons are kept, and the
// next of `clicks` is clicked on it with the mouse.
class BoxClicker {
 public:
  struct Box {
    QString text;
    QString title;
    QMessageBox::Icon icon;
    QStringList buttons;
  };
  explicit BoxClicker(QStringList clicks) : clicks_(std::move(clicks)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible() || box == last_ || clicks_.isEmpty()) return;
      last_ = box;
      Box seen{box->text(), box->windowTitle(), box->icon(), {}};
      QPushButton* chosen = nullptr;
      for (QAbstractButton* button : box->buttons()) {
        seen.buttons << button->text();
        if (button->text() == clicks_.first()) chosen = qobject_cast<QPushButton*>(button);
      }
      boxes << seen;
      kvtest::screenshot(*box, QStringLiteral("check-box-%1").arg(boxes.size()));
      clicks_.removeFirst();
      if (chosen) QTest::mouseClick(chosen, Qt::LeftButton);
    });
    timer_.start(20);
  }
  QList<Box> boxes;

 private:
  QStringList clicks_;
  QPointer<QMessageBox> last_;
  QTimer timer_;
};

QStringList shownTexts() {
  QStringList texts;
  for (const auto& s : prompts::shown()) texts << s.text;
  return texts;
}

const QString kCable = QStringLiteral("编程线：不是USB串口（主板上的串口或虚拟串口）");

}  // namespace

class TestCheckLink : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    kvtest::useTemporaryDataFolders();
    kvtest::useTemporaryUserSettings();
    setPortSource([] { return QList<PortInfo>(); });  // the emulators only
    setCheckListenMs(1000);
  }
  void init() {
    prompts::setTestMode(true);
    qunsetenv("KVPROG_PORTS");
  }

  // 检测(&C) checks the port selected in the dialog, by a click and by its key.
  void portDialogChecksTheSelectedPort() {
    QTemporaryDir dir;
    RadioData data = kvtest::sampleRadioData();
    data.settings.model = 0;
    QVERIFY(kvtest::writeAll(dir.filePath("radio.bin"), encodeImage(data).bytes));
    KvsimProcess radio({"--image", dir.filePath("radio.bin")});
    KvsimProcess echo({"--echo"});
    qputenv("KVPROG_PORTS", (radio.device() + "," + echo.device()).toLocal8Bit());
    frmDK dialog(PortChoice{});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    kvtest::screenshot(dialog, "frmDK-check");
    QCOMPARE(dialog.cmdCheck()->text(), QStringLiteral("检测(&C)"));
    QCOMPARE(dialog.cmdCheck()->accessibleName(), QStringLiteral("检测所选端口的连接"));

    QTest::mouseClick(dialog.cmdCheck(), Qt::LeftButton);
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].text, "对讲机工作正常：KV--410B(1)。可以读频和写频。\n\n端口：" +
                                           radio.device() + "\n" + kCable);
    QCOMPARE(prompts::shown()[0].title, QStringLiteral("检测连接"));
    QCOMPARE(prompts::shown()[0].icon, prompts::Icon::Information);

    QTreeWidget* list = dialog.lstPorts();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(1)).center());
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(list, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(prompts::shown().size(), 2);  // a key presses the button a moment later
    QVERIFY(prompts::shown()[1].text.startsWith(
        "收到的正是发出的数据：编程线有回声，但对讲机没有回应。请把插头插紧，或换一根编程线。"));
    QCOMPARE(prompts::shown()[1].icon, prompts::Icon::Warning);
    QVERIFY(dialog.isVisible());  // the dialog stays for the port to be chosen
  }

  // 编程 → 检测连接… in the English window: the chosen port, the verdict in English.
  void menuChecksTheChosenPort() {
    KvsimProcess silent({"--silent"});
    qputenv("KVPROG_PORTS", silent.device().toLocal8Bit());
    mainFrm w;
    wireCommands(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    useLanguage(Language::English);
    auto* program = w.findChild<QMenu*>(QStringLiteral("mnuProgram"));
    program->popup(w.mapToGlobal(w.menuBar()->actionGeometry(program->menuAction()).bottomLeft()));
    QVERIFY(QTest::qWaitForWindowExposed(program));
    auto* entry = w.findChild<QAction*>(QStringLiteral("mnuCheckLink"));
    QCOMPARE(entry->text(), QStringLiteral("Check Connection…"));
    QTest::mouseClick(program, Qt::LeftButton, {}, program->actionGeometry(entry).center());
    QTRY_COMPARE(prompts::shown().size(), 1);
    useLanguage(Language::Chinese);
    QCOMPARE(prompts::shown()[0].text,
             "The radio did not answer. Make sure the radio is on, the cable's plug is pushed "
             "fully into the radio and the port chosen is the cable's.\n\nPort: " +
                 silent.device() +
                 "\nCable: Not a USB adapter (a built-in or virtual serial port)");
    QCOMPARE(prompts::shown()[0].title, QStringLiteral("Check Connection"));
  }

  // A read that the radio does not answer: the time-out message keeps its words and gains
  // "检测连接", whose click ends the read and checks the port once the read has let it go.
  void timeoutMessageOffersTheCheck() {
    KvsimProcess silent({"--silent"});
    qputenv("KVPROG_PORTS", silent.device().toLocal8Bit());
    restoreRememberedPort();
    LinkOptions options;
    options.timeoutMs = 1000;
    setLinkOptions(options);
    prompts::setTestMode(false);
    BoxClicker clicker({"确定", "检测连接", "确定"});
    QVERIFY(!runReadCommand(nullptr, [](const QString&) {
      QTest::qFail("nothing to load", __FILE__, __LINE__);
      return false;
    }));
    setLinkOptions({});
    QCOMPARE(clicker.boxes.size(), 3);
    const BoxClicker::Box& timeout = clicker.boxes[1];
    QCOMPARE(timeout.text, QStringLiteral("通信端口没有响应，请确保连接正确和电源打开"));
    QCOMPARE(timeout.title, QStringLiteral("信息提示"));
    QCOMPARE(timeout.icon, QMessageBox::Information);
    QCOMPARE(timeout.buttons, (QStringList{"确定", "检测连接"}));
    QCOMPARE(clicker.boxes[2].text,
             "对讲机没有回应。请确认对讲机已开机、编程线插头已插到底、选择的端口是编程线的端口。"
             "\n\n端口：" +
                 silent.device() + "\n" + kCable);
    QCOMPARE(clicker.boxes[2].icon, QMessageBox::Warning);
  }

  // Cancel in the progress window stops the check at once, and nothing is said of it.
  void cancelStopsTheCheck() {
    KvsimProcess silent({"--silent"});
    setCheckListenMs(kCheckListenMs);
    QTimer::singleShot(700, [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* wait = qobject_cast<frmWAIT*>(w); wait && wait->isVisible())
          QTest::mouseClick(wait->cmdCancel(), Qt::LeftButton);
    });
    QElapsedTimer timer;
    timer.start();
    runCheckCommand(nullptr, silent.device());
    QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(shownTexts(), QStringList{"确定要取消吗"});
    setCheckListenMs(1000);
  }
};

QTEST_MAIN(TestCheckLink)
#include "test_checklink.moc"
