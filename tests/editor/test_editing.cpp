#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include "editorfixture.h"
#include "exchange/chirpformat.h"
#include "exchange/csvformat.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "sampledata.h"
#include "testfiles.h"

using namespace kv;
using kv::test::clickCell;

// Editing as on a spreadsheet: the history, the clipboard, the channel commands, the keyboard,
// the current file, the recent files and CSV, all through the keys and clicks a user makes.
class TestEditing : public QObject {
  Q_OBJECT

  std::unique_ptr<mainFrm> w;
  QTemporaryDir dir;
  RadioData opened;  // the document as the sample file loads

  QAction* action(const char* name) const {
    return w->findChild<QAction*>(QString::fromLatin1(name));
  }
  QComboBox* list(const char* name) const {
    return w->findChild<QComboBox*>(QString::fromLatin1(name));
  }
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  GridView* grid() const { return w->channelGrid()->grid(); }
  QLineEdit* rxEditor() const { return w->channelGrid()->rxFreqEditor(); }
  QPoint centre(int row, int column) const {
    return grid()->visualItemRect(grid()->item(row, column)).center();
  }
  void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
  }
  // Drags with the left button from one cell to another.
  void drag(int fromRow, int fromColumn, int toRow, int toColumn) {
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, centre(fromRow, fromColumn));
    QTest::mouseMove(grid()->viewport(), centre(toRow, toColumn));
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, centre(toRow, toColumn));
  }
  static QStringList row(const RadioData& data, int n) {
    QStringList texts;
    for (int c = kRxFreq; c <= kTxPower; ++c) texts << data.cell(n, c);
    return texts;
  }
  QStringList row(int n) const { return row(w->data(), n); }
  // Opens the 文件 menu and clicks the entry.
  void pickFromFileMenu(const char* name) {
    auto* file = w->findChild<QMenu*>(QStringLiteral("mnuFile"));
    w->menuBar()->setActiveAction(file->menuAction());
    QTRY_VERIFY(file->isVisible());
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(action(name)).center());
  }
  QString onlyMessage() {
    [&] { QCOMPARE(prompts::shown().size(), 1); }();
    const QString text = prompts::shown().value(0).text;
    prompts::clearShown();
    return text;
  }

 private slots:
  void init() {
    w = kv::test::openMainWindow();
    kvtest::userSettings().clear();
    QVERIFY(!saveChpFile(path("sample.chp"), kvtest::sampleRadioData()));
    QVERIFY(w->openPath(path("sample.chp")));
    opened = w->data();
    grid()->setFocus();
  }
  void cleanup() { w.reset(); }

  void everyChangeIsOneStepBackToTheSavedState() {
    w->setCommand(mainFrm::Command::Tune, [this] {
      kv::test::setDocument(
          *w, [](RadioData& d) { d.tune.jtlx = QStringLiteral("1"); }, true);
    });
    clickCell(*w, 5, 0);
    key(Qt::Key_Delete);
    const RadioData cleared = w->data();
    clickCell(*w, 5, 1);
    QTest::keyClicks(rxEditor(), QStringLiteral("451.5"));  // written at every keystroke
    QTest::keyClick(rxEditor(), Qt::Key_Return);
    const RadioData typed = w->data();
    QCOMPARE(row(typed, 5),
             (QStringList{"451.50000", "451.50000", "OFF", "OFF", "否", "宽", "高"}));
    QTest::keyClick(list("cboFuncSQL"), Qt::Key_Down);
    const RadioData listed = w->data();
    prompts::queueAnswer(prompts::Answer::No);  // the model clears the table: not saved first
    QTest::keyClick(list("cboPCmodel"), Qt::Key_Down);
    QCOMPARE(w->data().channels, RadioData().channels);
    action("mnuTune")->trigger();
    const RadioData last = w->data();
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 - sample.chp *"));

    grid()->setFocus();
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->data().tune, listed.tune);
    key(Qt::Key_Z, Qt::ControlModifier);  // the model and the sixteen channels it cleared
    QCOMPARE(w->data(), listed);
    QCOMPARE(list("cboPCmodel")->currentIndex(), opened.settings.model);
    QCOMPARE(grid()->item(1, kRxSignal)->text(), QStringLiteral("67"));
    QCOMPARE(w->bandLabelText(), QStringLiteral("400MHz---470MHz"));
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->data(), typed);
    key(Qt::Key_Z, Qt::ControlModifier);  // the typing with the defaults it filled in
    QCOMPARE(w->data(), cleared);
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->data(), opened);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 - sample.chp"));
    QVERIFY(!action("mnuUndo")->isEnabled());

    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w->data(), last);
    QVERIFY(w->isModified());
    QVERIFY(prompts::shown().size() == 1);  // the one question about the model

    // Opening a file starts a new history.
    prompts::queueAnswer(prompts::Answer::No);
    QVERIFY(w->openPath(path("sample.chp")));
    QVERIFY(!action("mnuUndo")->isEnabled() && !action("mnuRedo")->isEnabled());
  }

  void escapeGivesTheCellBackItsText() {
    clickCell(*w, 1, 1);
    QTest::keyClicks(rxEditor(), QStringLiteral("44"));
    QCOMPARE(w->data().cell(1, 1), QStringLiteral("044.00000"));
    QVERIFY(w->isModified());
    QTest::keyClick(rxEditor(), Qt::Key_Escape);
    QCOMPARE(w->data().cell(1, 1), QStringLiteral("435.12500"));
    QCOMPARE(grid()->item(1, 1)->text(), QStringLiteral("435.12500"));
    QVERIFY(rxEditor()->isHidden() && grid()->hasFocus());
    QVERIFY(!w->isModified());  // no step is left behind
    QVERIFY(!action("mnuUndo")->isEnabled());
    clickCell(*w, 2, 1);  // nothing unchecked was left in the cell
    QVERIFY(prompts::shown().isEmpty());
  }

  void keysOpenTheEditorsAndMove() {
    key(Qt::Key_F2);
    QVERIFY(rxEditor()->isVisible() && rxEditor()->hasFocus());
    QCOMPARE(rxEditor()->selectedText(), QStringLiteral("435.12500"));
    key(Qt::Key_Tab);  // leaves the editor for the next cell
    QVERIFY(rxEditor()->isHidden());
    QCOMPARE(grid()->currentColumn(), int(kTxFreq));
    key(Qt::Key_Return);
    QVERIFY(w->channelGrid()->txFreqEditor()->hasFocus());
    key(Qt::Key_Down);
    key(Qt::Key_Backtab);  // the channel number is skipped
    QCOMPARE(grid()->currentRow(), 2);
    QCOMPARE(grid()->currentColumn(), int(kRxFreq));
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_4);  // a digit starts the editor with it
    QVERIFY(rxEditor()->hasFocus());
    QCOMPARE(w->data().cell(5, kRxFreq), QStringLiteral("004.00000"));
    QTest::keyClicks(rxEditor(), QStringLiteral("55"));
    key(Qt::Key_Enter);
    QCOMPARE(row(5), (QStringList{"455.00000", "OFF", "OFF", "OFF", "否", "宽", "高"}));
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_F2);  // a list drops down
    QComboBox* shortList = w->channelGrid()->shortList();
    QTRY_VERIFY(shortList->view()->isVisible());
    QTest::keyClick(shortList->view(), Qt::Key_Down);
    QTest::keyClick(shortList->view(), Qt::Key_Return);
    QCOMPARE(w->data().cell(5, kBusyLock), shortList->currentText());
    QVERIFY(prompts::shown().isEmpty());
  }

  void aBlockIsCopiedAndPasted() {
    drag(1, 1, 2, 3);  // the pressed cell stays current
    QCOMPARE(grid()->selectedCells(), QRect(QPoint(1, 1), QPoint(3, 2)));
    QCOMPARE(grid()->currentRow(), 1);
    QVERIFY(rxEditor()->isHidden());
    key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("435.12500\t435.12500\t67\n450.00625\t460.10000\tD023N\n"));

    clickCell(*w, 6, 1);
    grid()->setFocus();
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(row(6).mid(0, 3), row(1).mid(0, 3));
    QCOMPARE(row(7).mid(0, 3), row(2).mid(0, 3));
    QCOMPARE(row(6).mid(3), row(opened, 6).mid(3));
    QCOMPARE(grid()->selectedCells(), QRect(QPoint(1, 6), QPoint(3, 7)));
    key(Qt::Key_Z, Qt::ControlModifier);  // the paste was one step
    QCOMPARE(w->data(), opened);

    // From a spreadsheet: CR LF line ends, a last line end, values as a person types them.
    QGuiApplication::clipboard()->setText(
        QStringLiteral("451.0125\t451.0125\td023n\r\n452\t\t\r\n"));
    clickCell(*w, 10, 1);
    grid()->setFocus();
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(row(10).mid(0, 3), (QStringList{"451.01250", "451.01250", "D023N"}));
    // The empty cells of a row whose receive frequency was pasted get the defaults, as typed.
    QCOMPARE(row(11).mid(0, 3), (QStringList{"452.00000", "452.00000", "OFF"}));
    QVERIFY(prompts::shown().isEmpty());
  }

  void aRefusedPasteChangesNothing() {
    const struct {
      const char* text;
      int row;
      const char* refusal;
    } pastes[] = {
        {"450\t450\n480\t450", 3, "信道4 接收频率：请在正确的频率范围输入"},
        {"450\t450.0025", 3, "信道3 发射频率：输入的频率需为6.25K或5K的整数"},
        {"450\t450\tOFF\tOFF\t可能", 3, "信道3 繁忙锁定：“可能”不在可选列表中"},
        {"450\n450", 16, "粘贴的内容超出信道表的范围"},
    };
    for (const auto& paste : pastes) {
      QGuiApplication::clipboard()->setText(QString::fromUtf8(paste.text));
      clickCell(*w, paste.row, 1);
      grid()->setFocus();
      key(Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(onlyMessage(), QString::fromUtf8(paste.refusal));
      QCOMPARE(w->data(), opened);
      QVERIFY(!w->isModified());
    }
  }

  void channelsAreClearedAndFilledDown() {
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, centre(2, 0));  // the numbers
    QTest::mouseMove(grid()->viewport(), centre(3, 0));
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, centre(3, 0));
    key(Qt::Key_Delete);
    QCOMPARE(row(2), QStringList(7, QString()));
    QCOMPARE(row(3), QStringList(7, QString()));
    QCOMPARE(row(4), row(opened, 4));

    drag(1, 5, 4, 7);
    key(Qt::Key_D, Qt::ControlModifier);
    for (int n = 2; n <= 4; ++n) QCOMPARE(row(n).mid(4), row(1).mid(4));
    QCOMPARE(w->data().cell(4, kRxFreq), QStringLiteral("OFF"));  // outside the selection

    // Delete in another frame keeps its own meaning there.
    const RadioData before = w->data();
    list("cboFuncSQL")->setFocus();
    key(Qt::Key_Delete);
    QCOMPARE(w->data(), before);

    // The context menu offers 剪切, which Ctrl+X (退出) cannot.
    QStringList entries;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu);
      for (QAction* a : menu->actions()) entries << a->text();
      menu->actions().constFirst()->trigger();
      menu->close();
    });
    clickCell(*w, 16, 1);
    QTest::mouseClick(grid()->viewport(), Qt::RightButton, {}, centre(16, 1));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, centre(16, 1),
                                grid()->viewport()->mapToGlobal(centre(16, 1)));
    QApplication::sendEvent(grid()->viewport(), &menuEvent);
    QCOMPARE(entries,
             (QStringList{"剪切(&T)", "复制(&C)", "粘贴(&P)", "", "清除信道", "向下填充"}));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("450.00625"));
    QCOMPARE(w->data().cell(16, kRxFreq), QString());
  }

  void saveStartsOnTheCurrentFileAndAReadHasNone() {
    key(Qt::Key_S, Qt::ControlModifier);  // the dialog answers "" as if cancelled
    QCOMPARE(prompts::fileDialogs().value(0).start, path("sample.chp"));
    QCOMPARE(prompts::fileDialogs().value(0).title, QStringLiteral("另存"));

    QVERIFY(w->loadFile(path("sample.chp")));  // what a read does with its scratch file
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 "));
    list("cboFuncSQL")->setCurrentIndex(2);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 *"));
    prompts::queueFileName(path("copy.chp"));
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(prompts::fileDialogs().value(1).start, QDir::cleanPath(dir.path()));  // last folder
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 - copy.chp"));
    QCOMPARE(w->currentFile(), path("copy.chp"));
  }

  void recentFilesAreTheFilesLastOpenedOrSaved() {
    for (const char* name : {"a.chp", "b.chp"}) {
      prompts::queueFileName(path(name));
      action("mnuSave")->trigger();
    }
    QCOMPARE(action("mnuFileMRU0")->text(), QStringLiteral("&1 b.chp"));
    QCOMPARE(action("mnuFileMRU1")->text(), QStringLiteral("&2 a.chp"));
    QCOMPARE(action("mnuFileMRU2")->text(), QStringLiteral("&3 sample.chp"));
    // The full path shows in the status bar while the pointer rests on the entry.
    w->statusBar()->showMessage(QStringLiteral("COM1"));
    auto* file = w->findChild<QMenu*>(QStringLiteral("mnuFile"));
    w->menuBar()->setActiveAction(file->menuAction());
    QTRY_VERIFY(file->isVisible());
    file->setActiveAction(action("mnuFileMRU0"));
    QCOMPARE(w->statusBar()->currentMessage(), QDir::toNativeSeparators(path("b.chp")));
    file->setActiveAction(action("mnuOpen"));
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("COM1"));
    file->close();
    QVERIFY(action("mnuNULL")->isVisible() && action("mnuFileMRU2")->isVisible());
    QVERIFY(!action("mnuFileMRU3")->isVisible());

    list("cboFuncSQL")->setCurrentIndex(2);
    prompts::clearShown();
    prompts::queueAnswer(prompts::Answer::No);
    action("mnuFileMRU2")->trigger();  // asks about the change, then opens
    QCOMPARE(prompts::shown().size(), 1);
    QCOMPARE(w->currentFile(), path("sample.chp"));
    QCOMPARE(action("mnuFileMRU0")->text(), QStringLiteral("&1 sample.chp"));

    QVERIFY(QFile::remove(path("a.chp")));
    prompts::clearShown();
    action("mnuFileMRU2")->trigger();  // a.chp: offered for removal, nothing opened
    QVERIFY(onlyMessage().contains(QDir::toNativeSeparators(path("a.chp"))));
    QCOMPARE(w->currentFile(), path("sample.chp"));
    QVERIFY(!action("mnuFileMRU2")->isVisible());

    // Kept in the test's own folder, never in the settings of the person running the tests.
    const QString stored = kvtest::userSettings().fileName();
    QVERIFY2(stored.startsWith(kvtest::useTemporaryUserSettings()), qPrintable(stored));
    QVERIFY(QFile::exists(stored));
  }

  void theTableGoesToCsvAndComesBack() {
    prompts::queueFileName(path("table.csv"));
    action("mnuExportCsv")->trigger();
    QCOMPARE(prompts::fileDialogs().value(0).start, path("sample.csv"));
    QCOMPARE(onlyMessage(), QStringLiteral("导出成功"));
    QCOMPARE(kvtest::readAll(path("table.csv")), toCsv(opened));

    QByteArray refused = kvtest::readAll(path("table.csv"));
    refused.replace("435.12500", "480");
    QVERIFY(kvtest::writeAll(path("refused.csv"), refused));
    clickCell(*w, 1, 1);
    QTest::keyClicks(rxEditor(), QStringLiteral("440"));
    QTest::keyClick(rxEditor(), Qt::Key_Return);
    const RadioData edited = w->data();
    prompts::clearShown();
    prompts::queueFileName(path("refused.csv"));
    pickFromFileMenu("mnuImportCsv");
    QVERIFY(onlyMessage().contains(QStringLiteral("第2行 接收频率：请在正确的频率范围输入")));
    QCOMPARE(w->data(), edited);

    // An import is an edit of the document: no question first, one step, the file stays
    // current, and closing asks about it.
    prompts::queueFileName(path("table.csv"));
    pickFromFileMenu("mnuImportCsv");
    QVERIFY(prompts::shown().isEmpty());
    QCOMPARE(w->data(), opened);
    QCOMPARE(w->currentFile(), path("sample.chp"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 - sample.chp *"));
    prompts::queueAnswer(prompts::Answer::Cancel);
    w->close();
    QCOMPARE(onlyMessage(), QStringLiteral("数据已修改，是否保存？"));
    grid()->setFocus();
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->data(), edited);
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->data(), opened);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 - sample.chp"));
    QVERIFY(!action("mnuUndo")->isEnabled());
  }

  // The other tools' form leaves by its file type and comes back by its header; busy lock,
  // which it cannot carry, is named on the way out.
  void theTableGoesToChirpAndComesBack() {
    prompts::queueFileName(path("chirp.csv"), QStringLiteral("CHIRP CSV(*.csv)"));
    pickFromFileMenu("mnuExportCsv");
    QCOMPARE(onlyMessage(), QStringLiteral("导出成功\n繁忙锁定不能写入CHIRP CSV：信道1"));
    QCOMPARE(kvtest::readAll(path("chirp.csv")), toChirpCsv(opened));

    RadioData cleared = opened;
    cleared.clearChannels();
    w->document().replace(cleared);
    prompts::queueFileName(path("chirp.csv"));
    pickFromFileMenu("mnuImportCsv");
    QVERIFY(prompts::shown().isEmpty());
    RadioData expected = opened;
    expected.cell(1, kBusyLock) = QStringLiteral("否");
    // What the radio would get: channels the file does not hold are unprogrammed either way.
    QCOMPARE(encodeImage(w->data()).bytes, encodeImage(expected).bytes);
  }
};

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
