#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "image/inifile.h"
#include "tune/frmlogin.h"
#include "tune/frmmode.h"
#include "tune/tunemode.h"
#include "ui/prompts.h"

using namespace kv;

namespace {

const QString kCode = QStringLiteral("5319046");
const QString kWrong = QStringLiteral("密码不正确，请重新输入");

void enter(frmLogin& dialog, const QString& text) {
  dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(text);
  dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
}

// Answers the modal windows of the menu command as they appear: the access dialog with the
// given entries (then "取消"), the tune window by its close box.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(QStringList codes) : codes_(std::move(codes)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
    timer_.start(5);
  }
  int tuneWindows = 0;

 private:
  void step() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* login = qobject_cast<frmLogin*>(modal)) {
      if (codes_.isEmpty())
        login->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
      else
        enter(*login, codes_.takeFirst());
    } else if (auto* tune = qobject_cast<frmMODE*>(modal)) {
      ++tuneWindows;
      tune->close();
    }
  }
  QStringList codes_;
  QTimer timer_;
};

}  // namespace

class TestFrmLogin : public QObject {
  Q_OBJECT

 private slots:
  void init() { prompts::setTestMode(true); }

  void hiddenEntryAndEnterPressesOk() {
    frmLogin dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("请输入进入调整模式的密码"));
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    QCOMPARE(box->echoMode(), QLineEdit::Password);
    dialog.show();
    QCOMPARE(dialog.focusWidget(), box);
    QVERIFY(!dialog.LoginSucceeded());
    QTest::keyClicks(box, kCode);
    QCOMPARE(box->displayText(), QString(kCode.size(), QLatin1Char('*')));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(dialog.LoginSucceeded());
    QVERIFY(!dialog.isVisible());
  }

  void wrongEntriesAreReportedAndSelected() {
    frmLogin dialog;
    dialog.show();
    enter(dialog, QString());  // an empty entry is a wrong one
    QCOMPARE(prompts::shown().size(), 1);
    const prompts::Shown& shown = prompts::shown().first();
    QCOMPARE(shown.text, kWrong);
    QCOMPARE(shown.title, QStringLiteral("错误"));
    QCOMPARE(shown.icon, prompts::Icon::Critical);
    QCOMPARE(shown.buttons, prompts::Buttons::Ok);
    QVERIFY(dialog.isVisible());

    enter(dialog, kCode + QLatin1Char(' '));  // compared exactly: no trimming
    QCOMPARE(prompts::shown().size(), 2);
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    QCOMPARE(box->selectedText(), kCode + QLatin1Char(' '));
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.LoginSucceeded());
  }

  void rightCodeOnThirdEntrySucceeds() {
    frmLogin dialog;
    dialog.show();
    enter(dialog, QStringLiteral("0") + kCode);
    enter(dialog, QStringLiteral("1234567"));
    enter(dialog, kCode);
    QCOMPARE(prompts::shown().size(), 2);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.LoginSucceeded());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void wrongThirdEntryCloses() {
    frmLogin dialog;
    dialog.show();
    for (int i = 0; i < 3; ++i) enter(dialog, QStringLiteral("531904"));
    QCOMPARE(prompts::shown().size(), 3);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.LoginSucceeded());
  }

  void cancelEscapeAndCloseBoxFail() {
    for (int way = 0; way < 3; ++way) {
      frmLogin dialog;
      dialog.show();
      dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(kCode);
      if (way == 0) dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
      if (way == 1) QTest::keyClick(&dialog, Qt::Key_Escape);
      if (way == 2) dialog.close();
      QVERIFY(!dialog.isVisible());
      QVERIFY(!dialog.LoginSucceeded());
    }
    QVERIFY(prompts::shown().isEmpty());
  }

  // The menu command: the tune window opens only behind a right code in this showing.
  void menuCommandOpensTuneWindowOnlyOnSuccess() {
    QTemporaryDir dir;
    IniFile settings(dir.filePath(QStringLiteral("Sfc.ini")));
    TuneValues tune;
    Bands bands;

    const auto run = [&](const QStringList& codes) {
      ModalAnswerer answerer(codes);
      runTuneMode(nullptr, tune, bands, 0, QString(), settings);
      return answerer.tuneWindows;
    };
    QCOMPARE(run({QStringLiteral("1"), kCode}), 1);
    QCOMPARE(run({}), 0);  // a later showing that ends with "取消"
    QCOMPARE(run({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}), 0);
    QCOMPARE(prompts::shown().size(), 4);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }
};

QTEST_MAIN(TestFrmLogin)
#include "test_frmlogin.moc"
