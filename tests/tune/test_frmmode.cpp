#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "image/inifile.h"
#include "image/memoryimage.h"
#include "tune/frmmode.h"
#include "tune/updownarrows.h"
#include "ui/prompts.h"

using namespace kv;

namespace {

const QString kNotNumber = QStringLiteral("请输入数字");

// The tune window over a settings file of its own, with the main window's values.
struct Bench {
  QTemporaryDir dir;
  IniFile settings{dir.filePath(QStringLiteral("Sfc.ini"))};
  TuneValues tune;
  Bands bands;

  Bench() {
    for (int slot = 0; slot < kModelCount; ++slot) {
      bands[slot] = QStringLiteral("%1MHz---%2MHz").arg(400 + 10 * slot).arg(405 + 10 * slot);
      settings.write(QStringLiteral("Frequent"), QStringLiteral("PL%1").arg(slot + 1), bands[slot]);
    }
  }
  std::unique_ptr<frmMODE> open(int mainModel) {
    auto window =
        std::make_unique<frmMODE>(tune, bands, mainModel, bandTextOf(bands, mainModel), settings);
    window->show();
    return window;
  }
};

template <typename T>
T* child(QWidget* window, const QString& name) {
  T* found = window->findChild<T*>(name);
  if (!found) qFatal("no child %s", qPrintable(name));
  return found;
}

QLineEdit* high(QWidget* w) { return child<QLineEdit>(w, QStringLiteral("Text1")); }
QLineEdit* low(QWidget* w) { return child<QLineEdit>(w, QStringLiteral("Text2")); }
QComboBox* modelList(QWidget* w, int i) {
  return child<QComboBox>(w, QStringLiteral("cboPCmodel_%1").arg(i));
}
QComboBox* trimList(QWidget* w) { return child<QComboBox>(w, QStringLiteral("cboFrequent")); }

void clickNode(QWidget* window, const QString& text) {
  auto* tree = child<QTreeWidget>(window, QStringLiteral("tremode"));
  const auto items = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  QCOMPARE(items.size(), 1);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                    tree->visualItemRect(items.first()).center());
}

}  // namespace

class TestFrmMode : public QObject {
  Q_OBJECT

 private slots:
  void init() { prompts::setTestMode(true); }

  void openingShowsMainModelAndTuneValues() {
    Bench bench;
    bench.tune = {QStringLiteral("1"), QStringLiteral("0"), -1};
    auto w = bench.open(3);  // position 3 reads slot PL6
    QCOMPARE(w->windowTitle(), QStringLiteral("调整模式"));
    QCOMPARE(low(w.get())->text(), QStringLiteral("450"));
    QCOMPARE(high(w.get())->text(), QStringLiteral("455"));
    QCOMPARE(modelList(w.get(), 0)->currentIndex(), 3);
    QCOMPARE(modelList(w.get(), 1)->currentIndex(), 3);
    QVERIFY(!modelList(w.get(), 1)->isEnabled());
    QCOMPARE(child<QLabel>(w.get(), QStringLiteral("freQuent"))->text(),
             QStringLiteral("450MHz---455MHz"));
    QCOMPARE(trimList(w.get())->currentIndex(), -1);
    QCOMPARE(trimList(w.get())->currentText(), QString());
    QVERIFY(child<QRadioButton>(w.get(), QStringLiteral("optJT_1"))->isChecked());
    QVERIFY(child<QRadioButton>(w.get(), QStringLiteral("Option1_0"))->isChecked());
    QVERIFY(high(w.get())->isVisible());
    QVERIFY(!trimList(w.get())->isVisible());
    QVERIFY(prompts::shown().isEmpty());
  }

  void emptyBandOpensQuietlyButFillingFromItWarns() {
    Bench bench;
    bench.bands[radioModels()[2].bandSlot].clear();
    auto w = bench.open(2);
    QCOMPARE(high(w.get())->text(), QString());
    QCOMPARE(low(w.get())->text(), QString());
    QVERIFY(prompts::shown().isEmpty());

    modelList(w.get(), 0)->setCurrentIndex(0);
    QCOMPARE(low(w.get())->text(), QStringLiteral("400"));
    modelList(w.get(), 0)->setCurrentIndex(2);  // both boxes change to an empty text
    QCOMPARE(prompts::shown().size(), 2);
    QCOMPARE(prompts::shown().first().text, kNotNumber);
  }

  void clearingOrMistypingABoxWarnsOnce() {
    Bench bench;
    auto w = bench.open(0);
    QLineEdit* box = high(w.get());
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(prompts::shown().size(), 1);
    const prompts::Shown& shown = prompts::shown().first();
    QCOMPARE(shown.text, kNotNumber);
    QCOMPARE(shown.icon, prompts::Icon::None);
    QCOMPARE(shown.buttons, prompts::Buttons::Ok);
    QCOMPARE(shown.title, QApplication::applicationDisplayName());
    QCOMPARE(box->text(), QString());

    prompts::clearShown();
    QTest::keyClicks(low(w.get()), QStringLiteral("x"));  // "400x"
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(low(w.get())->text(), QString());

    // Saving with an empty box changes no band and writes nothing.
    clickNode(w.get(), QStringLiteral("退出调整"));
    QCOMPARE(bench.bands[0], QStringLiteral("400MHz---405MHz"));
    QCOMPARE(bench.settings.read(QStringLiteral("Frequent"), QStringLiteral("PL1")),
             QStringLiteral("400MHz---405MHz"));
  }

  void arrowsStepWithinRange() {
    Bench bench;
    auto w = bench.open(0);
    auto* arrows = child<UpDownArrows>(w.get(), QStringLiteral("UpDown1"));
    arrows->upButton()->click();
    QCOMPARE(high(w.get())->text(), QStringLiteral("406"));
    high(w.get())->setText(QStringLiteral("9999"));  // out of range: brought in first
    arrows->upButton()->click();
    QCOMPARE(high(w.get())->text(), QStringLiteral("600"));
    arrows->downButton()->click();
    QCOMPARE(high(w.get())->text(), QStringLiteral("599"));
  }

  void pagesSwitchFromTheTree() {
    Bench bench;
    auto w = bench.open(0);
    clickNode(w.get(), QStringLiteral("功率调整"));
    QVERIFY(trimList(w.get())->isVisible());
    QVERIFY(modelList(w.get(), 1)->isVisible());
    QVERIFY(!modelList(w.get(), 0)->isVisible());
    QVERIFY(!high(w.get())->isVisible());
    QVERIFY(!child<QWidget>(w.get(), QStringLiteral("fraJT"))->isVisible());
    clickNode(w.get(), QStringLiteral("调整项"));  // does nothing
    QVERIFY(trimList(w.get())->isVisible());
    QVERIFY(w->isVisible());
    clickNode(w.get(), QStringLiteral("频率调整"));
    QVERIFY(high(w.get())->isVisible());
    QVERIFY(child<QWidget>(w.get(), QStringLiteral("UpDown2"))->isVisible());
    QVERIFY(!trimList(w.get())->isVisible());
    QVERIFY(!child<QLabel>(w.get(), QStringLiteral("freQuent"))->isVisible());
  }

  void bandStoredUnderChosenModel_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("key");
    QTest::newRow("3") << 3 << "PL6";
    QTest::newRow("4") << 4 << "PL4";
    QTest::newRow("5") << 5 << "PL5";
  }
  void bandStoredUnderChosenModel() {
    QFETCH(int, position);
    QFETCH(QString, key);
    Bench bench;
    const Bands before = bench.bands;
    auto w = bench.open(1);  // the main window's model is not the one changed
    modelList(w.get(), 0)->setCurrentIndex(position);
    QCOMPARE(low(w.get())->text(), bandTextOf(before, position).left(3));
    low(w.get())->setText(QStringLiteral("350"));
    high(w.get())->setText(QStringLiteral("390"));
    clickNode(w.get(), QStringLiteral("退出调整"));
    QVERIFY(!w->isVisible());

    const QString band = QStringLiteral("350MHz---390MHz");
    const int slot = key.mid(2).toInt() - 1;
    for (int s = 0; s < kModelCount; ++s) {
      const QString expected = s == slot ? band : before[s];
      QCOMPARE(bench.bands[s], expected);
      QCOMPARE(bench.settings.read(QStringLiteral("Frequent"), QStringLiteral("PL%1").arg(s + 1)),
               expected);
    }
    QVERIFY(prompts::shown().isEmpty());
  }

  // One down-click from 100 gave "99", stored as a band that turned every frequency "OFF".
  void unusableBandIsRefusedAndNeverStored() {
    Bench bench;
    const Bands before = bench.bands;
    auto w = bench.open(0);
    low(w.get())->setText(QStringLiteral("100"));
    child<UpDownArrows>(w.get(), QStringLiteral("UpDown2"))->downButton()->click();
    QCOMPARE(low(w.get())->text(), QStringLiteral("99"));
    child<QRadioButton>(w.get(), QStringLiteral("optJT_1"))->click();
    clickNode(w.get(), QStringLiteral("退出调整"));
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown().first().text, QStringLiteral("请输入正确的频段"));
    QCOMPARE(prompts::shown().first().title, QStringLiteral("错误"));
    QVERIFY(w->isVisible());
    QCOMPARE(bench.tune.jtlx, QStringLiteral("0"));  // nothing assigned either

    low(w.get())->setText(QStringLiteral("460"));  // above the high limit 405
    clickNode(w.get(), QStringLiteral("退出调整"));
    QCOMPARE(prompts::shown().size(), 2);
    QVERIFY(w->isVisible());

    w->close();  // the close box drops such a band but keeps the other choices
    QVERIFY(!w->isVisible());
    QCOMPARE(bench.bands, before);
    QCOMPARE(bench.settings.read(QStringLiteral("Frequent"), QStringLiteral("PL1")), before[0]);
    QCOMPARE(bench.tune.jtlx, QStringLiteral("1"));
    QCOMPARE(prompts::shown().size(), 2);
  }

  void closeBoxChangesBandForTheRunOnly() {
    Bench bench;
    auto w = bench.open(3);
    high(w.get())->setText(QStringLiteral("470"));
    child<QRadioButton>(w.get(), QStringLiteral("Option1_1"))->click();
    w->close();
    QVERIFY(!w->isVisible());
    QCOMPARE(bench.bands[5], QStringLiteral("450MHz---470MHz"));
    QCOMPARE(bench.settings.read(QStringLiteral("Frequent"), QStringLiteral("PL6")),
             QStringLiteral("450MHz---455MHz"));
    QCOMPARE(bench.tune.bjlx, QStringLiteral("1"));
  }

  void failedSaveIsReportedAndBandKept() {
    Bench bench;
    IniFile unwritable(bench.dir.filePath(QStringLiteral("missing/Sfc.ini")));
    frmMODE w(bench.tune, bench.bands, 0, QString(), unwritable);
    w.show();
    low(&w)->setText(QStringLiteral("380"));
    clickNode(&w, QStringLiteral("退出调整"));
    QCOMPARE(prompts::shown().size(), 1);
    const prompts::Shown& shown = prompts::shown().first();
    QVERIFY2(shown.text.contains(QDir::toNativeSeparators(unwritable.path())),
             qPrintable(shown.text));
    QCOMPARE(shown.icon, prompts::Icon::Critical);
    QVERIFY(!w.isVisible());
    QCOMPARE(bench.bands[0], QStringLiteral("380MHz---405MHz"));
  }

  // The trim counts only as a picked item's position; it reaches byte 7 of the first block.
  void trimBecomesSPowerAndTheSentByte() {
    Bench bench;
    RadioData data;
    data.tune.sPower = 0;
    {
      frmMODE w(data.tune, bench.bands, 0, QString(), bench.settings);
      w.show();
      trimList(&w)->setCurrentIndex(trimList(&w)->findText(QStringLiteral("0")));
      w.close();
    }
    QCOMPARE(data.tune.sPower, 5);
    QCOMPARE(quint8(encodeImage(data).bytes.at(7)), quint8(0x19));

    {
      frmMODE w(data.tune, bench.bands, 0, QString(), bench.settings);
      w.show();
      QCOMPARE(trimList(&w)->currentText(), QStringLiteral("0"));
      trimList(&w)->lineEdit()->selectAll();
      QTest::keyClicks(trimList(&w)->lineEdit(), QStringLiteral("7"));
      QTest::keyClick(trimList(&w)->lineEdit(), Qt::Key_Return);
      QCOMPARE(trimList(&w)->count(), 11);  // typed text never becomes an item
      w.close();
    }
    QCOMPARE(data.tune.sPower, -1);
    QCOMPARE(quint8(encodeImage(data).bytes.at(7)), quint8(0x19));
  }

  // Closing commits the crystal and IF choices straight into the document's flags.
  void crystalAndIfReachTheFunctionFlags() {
    Bench bench;
    RadioData data;
    QCOMPARE(functionFlagsValue(data) & 0x30, 0);
    {
      frmMODE w(data.tune, bench.bands, 0, QString(), bench.settings);
      w.show();
      QVERIFY(child<QRadioButton>(&w, QStringLiteral("optJT_0"))->isChecked());
      child<QRadioButton>(&w, QStringLiteral("optJT_1"))->click();
      clickNode(&w, QStringLiteral("退出调整"));
    }
    QCOMPARE(data.tune.jtlx, QStringLiteral("1"));
    QCOMPARE(data.tune.bjlx, QStringLiteral("0"));
    QCOMPARE(functionFlagsValue(data) & 0x30, 0x20);
    {
      frmMODE w(data.tune, bench.bands, 0, QString(), bench.settings);
      w.show();
      QVERIFY(child<QRadioButton>(&w, QStringLiteral("optJT_1"))->isChecked());
      child<QRadioButton>(&w, QStringLiteral("optJT_0"))->click();
      child<QRadioButton>(&w, QStringLiteral("Option1_1"))->click();
      w.close();
    }
    QCOMPARE(functionFlagsValue(data) & 0x30, 0x10);
  }
};

QTEST_MAIN(TestFrmMode)
#include "test_frmmode.moc"
