#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "screenshot.h"
#include "transfer/frmdk.h"
#include "transfer/portchoice.h"
#include "ui/prompts.h"
#include "ui/usersettings.h"
#include "usersettingsdir.h"

using namespace kv;

namespace {

PortInfo usbPort(const QString& device, quint16 vid, quint16 pid, const QString& serial,
                 const QString& description, const QString& manufacturer) {
  PortInfo p;
  p.device = device;
  p.vendorId = vid;
  p.productId = pid;
  p.serialNumber = serial;
  p.description = description;
  p.manufacturer = manufacturer;
  return p;
}

PortInfo legacyPort(const QString& device) {
  PortInfo p;
  p.device = device;
  return p;
}

// A workshop laptop: four legacy ports and two cables, two ports more than the buttons.
QList<PortInfo> workshop;

// A click on the button's caption: the button is as wide as the dialog, its text is not.
void clickButton(QRadioButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->height(), button->height() / 2));
}

void clickRow(QTreeWidget* list, int row) {
  const QRect rect = list->visualItemRect(list->topLevelItem(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

// Runs the port dialog from the menu command, with `act` as the user's clicks in it.
void runDialog(QStatusBar& status, const std::function<void(frmDK&)>& act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<frmDK*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    act(*dialog);
  });
  runPortDialog(nullptr, &status);
}

}  // namespace

class TestPortDialog : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    prompts::setTestMode(true);
    setPortSource([] { return workshop; });
  }
  void init() {
    workshop = {usbPort("/dev/ttyUSB0", 0x1a86, 0x7523, "", "USB-Serial CH340", "QinHeng"),
                legacyPort("/dev/ttyS0"),
                legacyPort("/dev/ttyS1"),
                legacyPort("/dev/ttyS2"),
                legacyPort("/dev/ttyS3"),
                usbPort("/dev/zz-cable", 0x0403, 0x6001, "FT42", "FT232R USB UART", "FTDI")};
    kvtest::userSettings().clear();
    prompts::clearShown();
    restoreRememberedPort();
  }

  void buttonsAndListShowThePortsAndClicksChoose() {
    frmDK dialog(PortChoice{});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    kvtest::screenshot(dialog, "frmDK");
    // USB adapters first: the cable is COM1 and COM2 however many legacy ports there are.
    QCOMPARE(dialog.optDK(0)->text(), QStringLiteral("COM1  /dev/ttyUSB0 — USB-Serial CH340"));
    QCOMPARE(dialog.optDK(1)->text(), QStringLiteral("COM2  /dev/zz-cable — FT232R USB UART"));
    QCOMPARE(dialog.optDK(3)->text(), QStringLiteral("COM4  /dev/ttyS1"));
    QVERIFY(dialog.optDK(0)->isChecked());  // the current port, preselected
    QTreeWidget* list = dialog.lstPorts();
    QCOMPARE(list->topLevelItemCount(), 6);
    QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("0403:6001"));
    QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("FTDI"));

    clickButton(dialog.optDK(2));
    QCOMPARE(dialog.DKH(), 2);
    QCOMPARE(list->currentItem(), list->topLevelItem(2));
    // The sixth port, out of the buttons' reach, is chosen from the list.
    clickRow(list, 5);
    QCOMPARE(dialog.DKH(), 5);
    QCOMPARE(dialog.choice().device, QStringLiteral("/dev/ttyS3"));
    for (int i = 0; i < frmDK::kButtonCount; ++i) QVERIFY(!dialog.optDK(i)->isChecked());
    QTest::mouseClick(dialog.cmdQD(), Qt::LeftButton);
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("端口转换成COM6"));
    QCOMPARE(prompts::shown()[0].title, QStringLiteral("提示"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // With no port behind them the buttons cannot be chosen.
    workshop = {legacyPort("/dev/ttyS0")};
    frmDK few(PortChoice{});
    QVERIFY(few.optDK(0)->isEnabled() && few.optDK(0)->isChecked());
    QVERIFY(!few.optDK(1)->isEnabled());
    QCOMPARE(few.optDK(1)->text(), QStringLiteral("COM2"));
  }

  // Windows names its ports COM3, COM7...: each button stands for the port of its own name,
  // enabled when that port exists, and the port is called by its name everywhere.
  void comNamedPortsAreTheirOwnButtons() {
    workshop = {legacyPort("COM3"),
                usbPort("COM7", 0x1a86, 0x7523, "", "USB-SERIAL CH340 (COM7)", "wch.cn")};
    QCOMPARE(resolvePortName("com3"), std::optional<QString>("COM3"));
    QCOMPARE(resolvePortName("COM1"), std::nullopt);
    QCOMPARE(resolvePortName("COM7"), std::optional<QString>("COM7"));
    frmDK dialog(PortChoice{});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (int i : {0, 1, 3}) {
      QVERIFY(!dialog.optDK(i)->isEnabled());
      QCOMPARE(dialog.optDK(i)->text(), QStringLiteral("COM%1").arg(i + 1));
    }
    QVERIFY(dialog.optDK(2)->isEnabled());
    QCOMPARE(dialog.optDK(2)->text(), QStringLiteral("COM3"));
    QTreeWidget* list = dialog.lstPorts();
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("COM7"));  // the USB cable first
    clickButton(dialog.optDK(2));
    QCOMPARE(dialog.choice().device, QStringLiteral("COM3"));
    QCOMPARE(list->currentItem(), list->topLevelItem(1));
    clickRow(list, 0);
    QVERIFY(!dialog.optDK(2)->isChecked());
    QTest::mouseClick(dialog.cmdQD(), Qt::LeftButton);
    QCOMPARE(prompts::shown().last().text, QStringLiteral("端口转换成COM7"));

    QStatusBar status;
    runDialog(status, [](frmDK& d) {
      clickRow(d.lstPorts(), 0);
      QTest::mouseClick(d.cmdQD(), Qt::LeftButton);
    });
    QCOMPARE(status.currentMessage(), QStringLiteral("COM7"));
    // Unplugged, the cable is still called by its name, never by a place in the list.
    workshop.removeLast();
    QCOMPARE(currentPortText(), QStringLiteral("COM7：没有此端口"));
    QCOMPARE(std::get<Failure>(currentPortDevice()).description,
             QStringLiteral("端口“COM7”不存在"));
  }

  void aPluggedCableShowsUpWhileTheDialogIsOpen() {
    workshop.removeLast();
    frmDK dialog(PortChoice{});
    dialog.show();
    clickButton(dialog.optDK(3));  // /dev/ttyS2
    workshop.prepend(usbPort("/dev/ttyACM0", 0x2341, 0x0043, "", "Arduino Uno", "Arduino"));
    QTRY_COMPARE_WITH_TIMEOUT(dialog.lstPorts()->topLevelItemCount(), 6, 3 * frmDK::kRelistMs);
    QCOMPARE(dialog.optDK(0)->text(), QStringLiteral("COM1  /dev/ttyACM0 — Arduino Uno"));
    // The chosen port moved down one place and stays chosen.
    QCOMPARE(dialog.DKH(), 4);
    QCOMPARE(dialog.lstPorts()->currentItem()->text(0), QStringLiteral("/dev/ttyS2"));
    QVERIFY(!dialog.optDK(3)->isChecked());
  }

  void chosenPortIsRememberedAndFoundAfterAReplug() {
    QStatusBar status;
    runDialog(status, [](frmDK& dialog) {
      clickRow(dialog.lstPorts(), 1);  // the FTDI cable
      QTest::mouseClick(dialog.cmdQD(), Qt::LeftButton);
    });
    QCOMPARE(status.currentMessage(), QStringLiteral("COM2：/dev/zz-cable"));
    QCOMPARE(std::get<QString>(currentPortDevice()), QStringLiteral("/dev/zz-cable"));

    // The next run: the cable came back under another name, after another cable.
    workshop.removeLast();
    workshop.prepend(usbPort("/dev/ttyUSB1", 0x0403, 0x6001, "FT42", "FT232R USB UART", "FTDI"));
    workshop.prepend(usbPort("/dev/ttyACM0", 0x2341, 0x0043, "", "Arduino Uno", "Arduino"));
    restoreRememberedPort();
    QCOMPARE(currentPortIndex(), 2);
    QCOMPARE(currentPortText(), QStringLiteral("COM3：/dev/ttyUSB1"));
    runDialog(status, [](frmDK& dialog) {
      QVERIFY(dialog.optDK(2)->isChecked());
      dialog.reject();  // closed by its frame: no message
    });
    QCOMPARE(prompts::shown().size(), 1);

    // Unplugged during the run: the transfer names the missing device.
    workshop.removeAt(1);
    QCOMPARE(std::get<Failure>(currentPortDevice()).description,
             QStringLiteral("端口“/dev/ttyUSB1”不存在"));
    // A run that starts without it uses COM1, without a message.
    restoreRememberedPort();
    QCOMPARE(currentPortText(), QStringLiteral("COM1：/dev/ttyACM0"));
    QCOMPARE(prompts::shown().size(), 1);
  }
};

QTEST_MAIN(TestPortDialog)
#include "test_portdialog.moc"
