#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "app/commands.h"
#include "atspi.h"
#include "exchange/cellentry.h"
#include "image/programlanguage.h"
#include "link/linkengine.h"
#include "model/valuetexts.h"
#include "windowwalk.h"

using namespace kv;

// What a screen reader finds on the accessibility bus, in both languages: the program runs
// under tests/support/a11y-session, and tests/support/atspi_tree.py reads it.
class TestAccessibility : public QObject {
  Q_OBJECT

  kvtest::AtspiReader bus_;

  // `window` alone on the screen, as the bus shows it.
  QJsonObject onTheBus(QWidget* window) {
    for (QWidget* other : QApplication::topLevelWidgets())
      if (other != window && other->isWindow()) other->hide();
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) return {};
    return bus_.window(window->windowTitle());
  }

 private slots:
  void initTestCase() {
    prompts::setTestMode(true);
    kvtest::useTemporaryUserSettings();
    configureApplication(*qApp);
  }

  void cleanup() { useLanguage(Language::Chinese); }

  void everyControlAKeyboardReachesHasAName() {
    for (const Language language : {Language::Chinese, Language::English}) {
      useLanguage(language);
      mainFrm w;
      wireCommands(w);
      QStringList unnamed;
      test::walkWindows(w, [&](QWidget* window) {
        const QJsonObject shown = onTheBus(window);
        if (shown.isEmpty()) unnamed << window->windowTitle() + QStringLiteral(": not on the bus");
        for (const QString& role : kvtest::unnamedControls(shown))
          unnamed << window->windowTitle() + QStringLiteral(": ") + role;
      });
      QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join('\n')));
    }
  }

  // Keyboard alone: every menu has an access key; Tab comes from the panel's last list to the
  // table, and Tab past its last cell or Ctrl+Tab from any cell leaves it; Esc closes every
  // dialog. (The screen-reader session presses Enter on the dialogs' default buttons.)
  void theKeyboardReachesEveryCommandAndLeavesTheTable() {
    auto w = test::openMainWindow();
    for (const QAction* menu : w->menuBar()->actions()) QVERIFY(menu->text().contains('&'));
    QTableWidget* grid = w->channelGrid()->grid();
    auto* first = w->findChild<QComboBox*>(QStringLiteral("cboPCmodel"));
    auto* last = w->findChild<QComboBox*>(QStringLiteral("cboYYBP"));
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), grid);
    const struct {
      int row, column;
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      QWidget* next;
    } leaving[] = {{16, kTxPower, Qt::Key_Tab, {}, first},
                   {1, kRxFreq, Qt::Key_Backtab, {}, last},
                   {3, kBusyLock, Qt::Key_Tab, Qt::ControlModifier, first}};
    for (const auto& l : leaving) {
      grid->setFocus();
      grid->setCurrentCell(l.row, l.column);
      QTest::keyClick(grid, l.key, l.modifiers);
      QCOMPARE(QApplication::focusWidget(), l.next);
    }
    test::walkWindows(*w, [](QWidget* window) {
      if (!qobject_cast<QDialog*>(window)) return;
      window->show();
      QTest::keyClick(window, Qt::Key_Escape);
      QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    });
  }

  // The grid is a table of 16 channels by 7 columns headed by its headings and channels, each
  // cell read as it shows (an empty one as empty); the list open over a cell is labelled with
  // its column; a refused value is an alert that says why; the progress bar names the transfer.
  void theChannelTableReadsAsChannelsAndColumns() {
    for (const Language language : {Language::Chinese, Language::English}) {
      useLanguage(language);
      auto w = test::openMainWindow();
      test::setDocument(*w, [](RadioData& d) {
        d.cell(3, kRxFreq) = QStringLiteral("435.12500");
        d.cell(3, kBandwidth) = QStringLiteral("窄");
      });
      test::clickCell(*w, 3, kBusyLock);
      const QJsonObject window = onTheBus(w.get());
      const QJsonObject table =
          kvtest::findNode(window, QStringLiteral("table"))[QStringLiteral("table")].toObject();
      QCOMPARE(table[QStringLiteral("rows")].toInt(), 16);
      QCOMPARE(table[QStringLiteral("columns")].toInt(), 7);
      QStringList headings;
      for (int c = kRxFreq; c <= kTxPower; ++c) headings << columnCaption(c);
      QCOMPARE(table[QStringLiteral("columnHeaders")].toVariant().toStringList(), headings);
      const QString channel3 = language == Language::Chinese ? "信道 3" : "Channel 3";
      QCOMPARE(table[QStringLiteral("rowHeaders")][2].toString(), channel3);
      const QJsonArray row3 = table[QStringLiteral("cells")][2].toArray();
      QCOMPARE(row3[kRxFreq - 1].toString(), QStringLiteral("435.12500"));
      QCOMPARE(row3[kTxFreq - 1].toString(), QString());
      QCOMPARE(row3[kBandwidth - 1].toString(), valueText(QStringLiteral("窄")));
      bool listNamed = false;
      kvtest::forEachNode(window, [&](const QJsonObject& node) {
        listNamed |= node[QStringLiteral("role")] == QLatin1String("combo box") &&
                     node[QStringLiteral("labels")][0] == columnCaption(kBusyLock);
      });
      QVERIFY(listNamed);

      prompts::setTestMode(false);
      QJsonObject alert;
      QTimer::singleShot(0, this, [&] {
        alert = bus_.window(QCoreApplication::translate("kv::ChannelGrid", "提示"));
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
      });
      test::clickCell(*w, 1, kRxFreq);
      QTest::keyClicks(w->channelGrid()->rxFreqEditor(), QStringLiteral("480"));
      QTest::keyClick(w->channelGrid()->rxFreqEditor(), Qt::Key_Return);
      prompts::setTestMode(true);
      QCOMPARE(alert[QStringLiteral("role")].toString(), QStringLiteral("alert"));
      QVERIFY(!kvtest::findNode(alert, QStringLiteral("label"), refusalMessage(Refusal::OutOfRange))
                   .isEmpty());

      frmWAIT progress(w.get());
      progress.setCaption(
          QCoreApplication::translate("kv::linktext", linktext::kWriting.toUtf8().constData()));
      progress.setProgress(40);
      const QJsonObject bar = kvtest::findNode(onTheBus(&progress), QStringLiteral("progress bar"));
      QCOMPARE(bar[QStringLiteral("name")].toString(), progress.windowTitle());
      QCOMPARE(bar[QStringLiteral("value")].toDouble(), 40.0);
    }
  }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
