#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "editorfixture.h"

using namespace kv;
using kv::test::clickCell;

class TestChannelGrid : public QObject {
  Q_OBJECT

  std::unique_ptr<mainFrm> w;
  ChannelGrid* grid() const { return w->channelGrid(); }
  QString cell(int row, int column) const { return w->data().cell(row, column); }
  QString shown(int row, int column) const { return grid()->grid()->item(row, column)->text(); }
  QStringList row(int n) const {
    QStringList texts;
    for (int c = 1; c <= 7; ++c) texts << cell(n, c);
    return texts;
  }
  void type(QLineEdit* editor, const QString& text) { QTest::keyClicks(editor, text); }
  void verifyNoMessage() {
    QVERIFY2(prompts::shown().isEmpty(), qPrintable(prompts::shown().value(0).text));
  }
  void verifyMessage(const QString& text) {
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(prompts::shown()[0].text, text);
    QCOMPARE(prompts::shown()[0].title, QStringLiteral("提示"));
    QCOMPARE(prompts::shown()[0].icon, prompts::Icon::Information);
    QCOMPARE(prompts::shown()[0].buttons, prompts::Buttons::Ok);
    prompts::clearShown();
  }

 private slots:
  void init() { w = kv::test::openMainWindow(); }
  void cleanup() { w.reset(); }

  void setUpGridShowsHeadingsAndNumbers() {
    QTableWidget* table = grid()->grid();
    QCOMPARE(table->objectName(), QStringLiteral("gridXDSZ"));
    QCOMPARE(table->rowCount(), 17);
    QCOMPARE(table->columnCount(), 8);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("信道"));
    QCOMPARE(table->item(0, 7)->text(), QStringLiteral("发射功率"));
    QCOMPARE(table->item(16, 0)->text(), QStringLiteral("16"));
    QCOMPARE(grid()->rxFreqEditor()->objectName(), QStringLiteral("txtTxFreq"));
    QCOMPARE(grid()->signalList()->count(), 261);
  }

  void receiveFrequencyIsWrittenWhileTypingAndFillsTheRow() {
    clickCell(*w, 1, 1);
    QLineEdit* editor = grid()->rxFreqEditor();
    QVERIFY(editor->isVisible());
    QVERIFY(editor->hasFocus());
    QCOMPARE(editor->geometry().size(),
             grid()->grid()->visualItemRect(grid()->grid()->item(1, 1)).size());
    type(editor, QStringLiteral("45"));
    QCOMPARE(cell(1, 1), QStringLiteral("045.00000"));
    QCOMPARE(shown(1, 1), QStringLiteral("045.00000"));
    type(editor, QStringLiteral("0.00625"));
    QTest::keyClick(editor, Qt::Key_Return);
    verifyNoMessage();
    QVERIFY(editor->isHidden());
    QCOMPARE(row(1), (QStringList{"450.00625", "450.00625", "OFF", "OFF", "否", "宽", "高"}));
    QCOMPARE(shown(1, 7), QStringLiteral("高"));
  }

  void defaultsFillOnlyEmptyCells() {
    kv::test::setDocument(*w, [](RadioData& d) {
      d.cell(2, 5) = QStringLiteral("是");
      d.cell(2, 2) = QStringLiteral("451.00000");
    });
    w->refreshFromData();
    clickCell(*w, 2, 1);
    type(grid()->rxFreqEditor(), QStringLiteral("450.5"));
    QTest::keyClick(grid()->rxFreqEditor(), Qt::Key_Enter);
    QCOMPARE(row(2), (QStringList{"450.50000", "451.00000", "OFF", "OFF", "是", "宽", "高"}));
  }

  void textThatIsNoNumberEmptiesEditorAndCell() {
    clickCell(*w, 1, 1);
    type(grid()->rxFreqEditor(), QStringLiteral("abc"));
    QCOMPARE(grid()->rxFreqEditor()->text(), QString());
    QCOMPARE(cell(1, 1), QString());
    QTest::keyClick(grid()->rxFreqEditor(), Qt::Key_Return);
    verifyNoMessage();
    QCOMPARE(cell(1, 1), QStringLiteral("OFF"));
    QCOMPARE(cell(1, 2), QString());  // no defaults for a rejected row
  }

  void frequencyOffTheRasterIsRejected() {
    clickCell(*w, 1, 1);
    type(grid()->rxFreqEditor(), QStringLiteral("450.0025"));
    QTest::keyClick(grid()->rxFreqEditor(), Qt::Key_Return);
    verifyMessage(QStringLiteral("输入的频率需为6.25K或5K的整数"));
    QCOMPARE(cell(1, 1), QString());
    QCOMPARE(grid()->rxFreqEditor()->text(), QString());
    clickCell(*w, 2, 1);  // leaving the emptied cell marks it unprogrammed
    verifyNoMessage();
    QCOMPARE(cell(1, 1), QStringLiteral("OFF"));
  }

  // Only three characters of the whole part are compared, so 4500 MHz read as 450 and passed.
  void frequencyOfFourWholeDigitsIsOutOfEveryBand() {
    clickCell(*w, 4, 1);
    type(grid()->rxFreqEditor(), QStringLiteral("4500"));
    QTest::keyClick(grid()->rxFreqEditor(), Qt::Key_Return);
    verifyMessage(QStringLiteral("请在正确的频率范围输入"));
    QCOMPARE(row(4), (QStringList{"", "", "", "", "", "", ""}));
  }

  void frequencyOutOfTheBandIsRejectedOnLeavingTheCell() {
    clickCell(*w, 1, 2);
    QStringList before = row(1);  // leaving the first current cell already marked it "OFF"
    QLineEdit* editor = grid()->txFreqEditor();
    QCOMPARE(editor->objectName(), QStringLiteral("txtRecFreq"));
    type(editor, QStringLiteral("480"));
    QCOMPARE(cell(1, 2), QStringLiteral("480.00000"));
    clickCell(*w, 1, 5);
    verifyMessage(QStringLiteral("请在正确的频率范围输入"));
    QCOMPARE(row(1), before);
    QVERIFY(editor->isHidden());
  }

  // A refused frequency gives the cell back what it held, as Esc does, and leaves no step.
  void refusedFrequencyKeepsTheValueItWasToReplace() {
    kv::test::setDocument(*w, [](RadioData& d) {
      d.channels[0].cells = {"450.12500", "450.12500", "OFF", "OFF", "是", "宽", "高"};
    });
    const QStringList before = row(1);
    const struct {
      int column;
      const char* typed;
      Qt::Key leave;
      const char* message;
    } attempts[] = {{1, "480", Qt::Key_Return, "请在正确的频率范围输入"},
                    {2, "450.0025", Qt::Key_Tab, "输入的频率需为6.25K或5K的整数"}};
    for (const auto& attempt : attempts) {
      clickCell(*w, 1, attempt.column);
      QLineEdit* editor = attempt.column == 1 ? grid()->rxFreqEditor() : grid()->txFreqEditor();
      type(editor, QString::fromLatin1(attempt.typed));
      QTest::keyClick(editor, attempt.leave);
      verifyMessage(QString::fromUtf8(attempt.message));
      QCOMPARE(row(1), before);
      QCOMPARE(shown(1, attempt.column), QStringLiteral("450.12500"));
      QVERIFY(!w->findChild<QAction*>(QStringLiteral("mnuUndo"))->isEnabled());
    }
  }

  void theClickThatCausedAMessageOpensItsEditor() {
    // The message about the cell that is left shows while the button is down; in a real run
    // the box takes the release, so the press alone opens the clicked cell's editor.
    QTableWidget* table = grid()->grid();
    const QRect target = table->visualItemRect(table->item(2, 1));
    clickCell(*w, 1, 1);
    type(grid()->rxFreqEditor(), QStringLiteral("480"));
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, target.center());
    verifyMessage(QStringLiteral("请在正确的频率范围输入"));
    QLineEdit* editor = grid()->rxFreqEditor();
    QVERIFY(editor->isVisible() && editor->hasFocus());
    QCOMPARE(editor->pos(), table->viewport()->mapTo(grid(), target.topLeft()));
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, target.center());
    type(editor, QStringLiteral("450"));
    QCOMPARE(cell(2, 1), QStringLiteral("450.00000"));
  }

  void bandLimitsCompareWholeMegahertz() {
    for (const char* text : {"470.99375", "400"}) {
      clickCell(*w, 3, 1);
      type(grid()->rxFreqEditor(), QString::fromLatin1(text));
      QTest::keyClick(grid()->rxFreqEditor(), Qt::Key_Return);
      verifyNoMessage();
    }
    QCOMPARE(cell(3, 1), QStringLiteral("400.00000"));
    clickCell(*w, 3, 1);
    type(grid()->rxFreqEditor(), QStringLiteral("399.99375"));
    QTest::keyClick(grid()->rxFreqEditor(), Qt::Key_Return);
    verifyMessage(QStringLiteral("请在正确的频率范围输入"));
  }

  void unreadableBandTurnsTheCellOffSilently() {
    w->bands().fill(QString());
    w->refreshFromData();
    clickCell(*w, 1, 1);
    type(grid()->rxFreqEditor(), QStringLiteral("450"));
    QTest::keyClick(grid()->rxFreqEditor(), Qt::Key_Return);
    verifyNoMessage();
    QCOMPARE(cell(1, 1), QStringLiteral("OFF"));
  }

  void clickingThroughAnEmptyRowMarksEveryCellOff() {
    for (int c = 1; c <= 7; ++c) clickCell(*w, 4, c);
    clickCell(*w, 5, 0);  // the number column is never current: nothing is left
    QCOMPARE(cell(4, 7), QString());
    QVERIFY(grid()->shortList()->isHidden());
    clickCell(*w, 5, 1);
    verifyNoMessage();
    QCOMPARE(row(4), QStringList(7, QStringLiteral("OFF")));
    QCOMPARE(row(5), QStringList(7, QString()));
  }

  void frequencyEditorOpensWithFiveDecimalsAndHidingDoesNotValidate() {
    kv::test::setDocument(*w, [](RadioData& d) {
      d.cell(1, 1) = QStringLiteral("045.10000");
      d.cell(2, 1) = d.cell(3, 1) = QStringLiteral("OFF");
    });
    w->refreshFromData();
    clickCell(*w, 1, 1);
    QCOMPARE(grid()->rxFreqEditor()->text(), QStringLiteral("45.10000"));
    QCOMPARE(grid()->rxFreqEditor()->selectedText(), QStringLiteral("45.10000"));
    QCOMPARE(cell(1, 1), QStringLiteral("045.10000"));  // opening writes nothing
    clickCell(*w, 2, 1);
    verifyMessage(QStringLiteral("请在正确的频率范围输入"));  // leaving 045.10000
    QCOMPARE(grid()->rxFreqEditor()->text(), QStringLiteral("OFF"));
    type(grid()->rxFreqEditor(), QStringLiteral("450"));
    QTest::keyClick(grid()->rxFreqEditor(), Qt::Key_Return);
    clickCell(*w, 2, 1);
    clickCell(*w, 3, 1);  // moving the shown editor to a cell holding "OFF" writes nothing
    QCOMPARE(grid()->rxFreqEditor()->text(), QStringLiteral("OFF"));
    QCOMPARE(cell(3, 1), QStringLiteral("OFF"));
    type(grid()->rxFreqEditor(), QStringLiteral("480"));
    grid()->hideEditors();
    verifyNoMessage();
    QCOMPARE(cell(3, 1), QStringLiteral("480.00000"));
  }

  void signallingListPreselectsByPrefix() {
    kv::test::setDocument(*w, [](RadioData& d) {
      d.cell(1, 3) = QStringLiteral("D023");
      d.cell(1, 4) = QStringLiteral("d023");
      d.cell(2, 3) = QStringLiteral("X");
    });
    w->refreshFromData();
    QComboBox* list = grid()->signalList();
    clickCell(*w, 1, 3);
    QVERIFY(list->isVisible());
    QCOMPARE(list->currentText(), QStringLiteral("D023N"));
    QCOMPARE(cell(1, 3), QStringLiteral("D023"));  // the list was hidden: nothing written
    const QRect target = grid()->grid()->visualItemRect(grid()->grid()->item(1, 3));
    QCOMPARE(list->pos(), grid()->grid()->viewport()->mapTo(grid(), target.topLeft()));
    QCOMPARE(list->width(), target.width());

    clickCell(*w, 1, 4);  // the list was shown: the preselection is a pick
    QCOMPARE(cell(1, 4), QStringLiteral("D023N"));
    clickCell(*w, 2, 3);  // no entry begins with "X": the selection stays, nothing is written
    QCOMPARE(list->currentText(), QStringLiteral("D023N"));
    QCOMPARE(cell(2, 3), QStringLiteral("X"));

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);  // a user's pick writes the entry
    QCOMPARE(cell(2, 3), QStringLiteral("D025N"));
  }

  void shortListHasNoPreselection() {
    kv::test::setDocument(*w, [](RadioData& d) { d.cell(1, 6) = QStringLiteral("宽"); });
    w->refreshFromData();
    clickCell(*w, 1, 6);
    QComboBox* list = grid()->shortList();
    QVERIFY(list->isVisible());
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(1), QStringLiteral("窄"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(cell(1, 6), QStringLiteral("窄"));
    clickCell(*w, 1, 7);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->itemText(1), QStringLiteral("中"));
  }

  void keyboardMovePutsTheEditorsAway() {
    clickCell(*w, 1, 3);
    QVERIFY(grid()->signalList()->isVisible());
    QTest::keyClick(grid()->grid(), Qt::Key_Down);
    QVERIFY(grid()->signalList()->isHidden());
    QCOMPARE(cell(1, 3), QStringLiteral("OFF"));
  }

  void editorTimerHidesEditorsWhenFocusLeavesTheFrame() {
    QCOMPARE(w->editorTimer()->interval(), 1000);
    QVERIFY(w->editorTimer()->isActive());
    clickCell(*w, 1, 2);
    type(grid()->txFreqEditor(), QStringLiteral("450"));
    w->hideEditorsWhenFocusLeft();
    QVERIFY(grid()->txFreqEditor()->isVisible());
    w->findChild<QComboBox*>(QStringLiteral("cboFuncSQL"))->setFocus();
    w->hideEditorsWhenFocusLeft();
    QVERIFY(grid()->txFreqEditor()->isHidden());
    QCOMPARE(cell(1, 2), QStringLiteral("450.00000"));  // hiding writes and checks nothing
    verifyNoMessage();
  }

  void frequencyFormats() {
    QCOMPARE(ChannelGrid::cellFrequency(QStringLiteral("4")), QStringLiteral("004.00000"));
    QCOMPARE(ChannelGrid::cellFrequency(QStringLiteral("450.1")), QStringLiteral("450.10000"));
    QCOMPARE(ChannelGrid::cellFrequency(QStringLiteral("450.123456")), QStringLiteral("450.12346"));
    QCOMPARE(ChannelGrid::cellFrequency(QStringLiteral("OFF")), QStringLiteral("OFF"));
    QCOMPARE(ChannelGrid::editorFrequency(QStringLiteral("045.10000")), QStringLiteral("45.10000"));
    QCOMPARE(ChannelGrid::editorFrequency(QStringLiteral("0.5")), QStringLiteral(".50000"));
  }
};

QTEST_MAIN(TestChannelGrid)
#include "test_channelgrid.moc"
