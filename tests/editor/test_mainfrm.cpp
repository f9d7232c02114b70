#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include "editorfixture.h"
#include "image/chpfile.h"
#include "sampledata.h"
#include "testfiles.h"

using namespace kv;
using kv::test::clickCell;

class TestMainFrm : public QObject {
  Q_OBJECT

  std::unique_ptr<mainFrm> w;
  QTemporaryDir dir;

  QAction* action(const char* name) const {
    return w->findChild<QAction*>(QString::fromLatin1(name));
  }
  QComboBox* list(const char* name) const {
    return w->findChild<QComboBox*>(QString::fromLatin1(name));
  }
  void clickTool(const char* name) {
    auto* bar = w->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    QTest::mouseClick(bar->widgetForAction(action(name)), Qt::LeftButton);
  }
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  // Everything the window shows of the document: the caption, the cells, the lists and the
  // band label.
  QStringList shownState() const {
    QStringList texts{w->windowTitle(), w->bandLabelText()};
    QTableWidget* grid = w->channelGrid()->grid();
    for (int r = 1; r < grid->rowCount(); ++r)
      for (int c = 1; c < grid->columnCount(); ++c) texts << grid->item(r, c)->text();
    for (QComboBox* box : w->findChildren<QComboBox*>()) texts << box->currentText();
    return texts;
  }
  prompts::Shown onlyMessage() {
    [&] { QCOMPARE(prompts::shown().size(), 1); }();
    const prompts::Shown shown = prompts::shown().value(0);
    prompts::clearShown();
    return shown;
  }

 private slots:
  void init() { w = kv::test::openMainWindow(); }
  void cleanup() { w.reset(); }

  void captionMenusAndToolbar() {
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 "));
    QCOMPARE(w->objectName(), QStringLiteral("mainFrm"));
    QStringList menus;
    for (QAction* menu : w->menuBar()->actions()) menus << menu->text();
    QCOMPARE(menus, (QStringList{"文件(&F)", "编程(&P)", "编辑(&E)", "端口选择(&C)", "帮助(&H)"}));
    const struct {
      const char* name;
      const char* caption;
      const char* shortcut;
    } items[] = {{"mnuOpen", "打开(&O)", "Ctrl+O"},    {"mnuSave", "另存(&S)", "Ctrl+S"},
                 {"mnuPreview", "打印(&P)", "Ctrl+P"}, {"mnuExit", "退出(&X)", "Ctrl+X"},
                 {"mnuRead", "读频(&R)", "Ctrl+R"},    {"mnuWrite", "写频(&W)", "Ctrl+W"},
                 {"mnuTune", "调整模式(&T)", ""},      {"mnuPort", "选择端口(&P)", ""},
                 {"mnuIndex", "帮助(&I)...", ""},      {"mnuAbout", "关于(&A)", ""}};
    for (const auto& item : items) {
      QAction* a = action(item.name);
      QVERIFY2(a, item.name);
      QCOMPARE(a->text(), QString::fromUtf8(item.caption));
      QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
      QVERIFY(a->isVisible());
    }
    for (const char* hidden : {"mnuNULL", "mnuFileMRU0", "mnuFileMRU3"}) {
      QVERIFY2(action(hidden), hidden);
      QVERIFY(!action(hidden)->isVisible());
    }
    auto* bar = w->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    QStringList captions;
    for (QAction* a : bar->actions()) {
      captions << a->text();
      QVERIFY(!a->icon().isNull());
    }
    QCOMPARE(captions, (QStringList{"打开", "另存", "打印", "读频", "写频"}));
  }

  void commandsWithoutHandlerSayTheyAreNotAvailable() {
    for (const char* name : {"mnuRead", "mnuWrite", "mnuTune", "mnuPort", "mnuPreview"}) {
      action(name)->trigger();
      const prompts::Shown shown = onlyMessage();
      QCOMPARE(shown.text, QStringLiteral("此功能暂未提供"));
      QCOMPARE(shown.title, QStringLiteral("提示"));
      QCOMPARE(shown.icon, prompts::Icon::Information);
    }
  }

  void toolbarDispatchesByCaption() {
    QStringList ran;
    bool timerRunning = true;
    w->setCommand(mainFrm::Command::Write, [&] { ran << "write"; });
    w->setCommand(mainFrm::Command::Read, [&] { ran << "read"; });
    w->setCommand(mainFrm::Command::Print, [&] {
      ran << "print";
      timerRunning = w->editorTimer()->isActive();
    });
    for (const char* name : {"tbWrite", "tbRead", "tbPrint"}) clickTool(name);
    QCOMPARE(ran, (QStringList{"write", "read", "print"}));
    QVERIFY(!timerRunning);  // the report stops the editor timer first
    QVERIFY(prompts::shown().isEmpty());
  }

  void defaultsAndDerivedValues() {
    QCOMPARE(w->functionFlags(), QStringLiteral("0"));
    QCOMPARE(w->voiceByte(), QStringLiteral("255"));
    QCOMPARE(list("cboFuncSQL")->currentText(), QStringLiteral("4"));
    QCOMPARE(w->modelCode(), QStringLiteral("11"));
    QCOMPARE(w->modelByte(), QStringLiteral("17"));

    list("cboFuncMoni")->setCurrentIndex(1);
    QCOMPARE(w->functionFlags(), QStringLiteral("128"));
    list("cboFuncMoni")->setCurrentIndex(0);
    list("cbosd")->setCurrentIndex(1);
    w->data().tune.jtlx = QStringLiteral("1");
    w->data().tune.bjlx = QStringLiteral("1");
    QCOMPARE(w->functionFlags(), QStringLiteral("112"));
    list("cboYYBP")->setCurrentIndex(1);
    QCOMPARE(w->voiceByte(), QStringLiteral("0"));
    list("cboYYBP")->setCurrentIndex(2);
    QCOMPARE(w->voiceByte(), QStringLiteral("1"));
    list("cboFuncTOT")->setCurrentIndex(10);
    QCOMPARE(w->data().settings.txTimeout, 10);
  }

  void userModelChangeClearsTheGrid() {
    w->bands()[5] = QStringLiteral("136MHz---174MHz");  // PL6 belongs to entry 3
    w->data().cell(1, 1) = QStringLiteral("450.00000");
    w->refreshFromData();
    QComboBox* models = list("cboPCmodel");
    models->setFocus();
    // The first step clears the table; the next two ask about that change.
    prompts::queueAnswer(prompts::Answer::No);
    prompts::queueAnswer(prompts::Answer::No);
    for (int i = 0; i < 3; ++i) QTest::keyClick(models, Qt::Key_Down);
    QCOMPARE(models->currentIndex(), 3);
    QCOMPARE(w->bandLabelText(), QStringLiteral("136MHz---174MHz"));
    QCOMPARE(w->modelCode(), QStringLiteral("14"));
    QCOMPARE(w->modelByte(), QStringLiteral("20"));
    QCOMPARE(w->data().cell(1, 1), QString());
    QCOMPARE(w->channelGrid()->grid()->item(1, 1)->text(), QString());
    QCOMPARE(w->channelGrid()->grid()->item(1, 0)->text(), QStringLiteral("1"));
  }

  void openAndSaveGoThroughTheDialogs() {
    w->data().cell(1, 1) = QStringLiteral("450.12500");
    w->data().settings.model = 2;
    w->refreshFromData();
    prompts::queueFileName(path("saved"));
    action("mnuSave")->trigger();
    const prompts::Shown saved = onlyMessage();
    QCOMPARE(saved.text, QStringLiteral("保存成功"));
    QCOMPARE(saved.icon, prompts::Icon::None);
    QCOMPARE(saved.buttons, prompts::Buttons::Ok);
    QVERIFY(QFile::exists(path("saved")));  // no extension added
    QVERIFY(!QFile::exists(path("saved.chp")));

    // Another model with other channels: the load brings the file's model and keeps its channels.
    list("cboPCmodel")->setCurrentIndex(0);
    w->data().cell(2, 1) = QStringLiteral("460.00000");
    prompts::queueAnswer(prompts::Answer::No);  // the model change is not kept
    prompts::queueFileName(path("saved"));
    clickTool("tbOpen");
    QCOMPARE(onlyMessage().buttons, prompts::Buttons::YesNoCancel);
    QCOMPARE(list("cboPCmodel")->currentIndex(), 2);
    QCOMPARE(w->data().cell(1, 1), QStringLiteral("450.12500"));
    QCOMPARE(w->data().cell(2, 1), QStringLiteral("OFF"));
    QCOMPARE(w->channelGrid()->grid()->item(1, 1)->text(), QStringLiteral("450.12500"));

    // Cancelled dialogs change nothing and show nothing.
    const RadioData before = w->data();
    action("mnuOpen")->trigger();
    clickTool("tbSave");
    QVERIFY(prompts::shown().isEmpty());
    QCOMPARE(w->data(), before);
  }

  void failedOpenLeavesTheWindowAsItWas() {
    // A document the user has changed, shown with an editor's text in the grid.
    w->bands()[1] = QStringLiteral("400MHz---450MHz");
    w->data() = kvtest::sampleRadioData();
    w->data().settings.model = 1;
    w->refreshFromData();
    clickCell(*w, 5, 1);
    QTest::keyClicks(w->channelGrid()->rxFreqEditor(), QStringLiteral("445"));
    QTest::keyClick(w->channelGrid()->rxFreqEditor(), Qt::Key_Return);
    QVERIFY(w->isModified());
    const RadioData before = w->data();
    const QStringList shownBefore = shownState();

    // The file names another model (which clears the table) and breaks off in channel 2.
    QByteArray text = kvtest::readAll(kvtest::fixturePath("example.chp"));
    text.replace("52 00 00 08 11", "52 00 00 08 13");
    text.truncate(text.indexOf("52 00 30 08"));
    QVERIFY(kvtest::writeAll(path("broken.chp"), text));
    prompts::queueAnswer(prompts::Answer::No);  // do not save the changes
    prompts::queueFileName(path("broken.chp"));
    QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(prompts::shown().size(), 2);
    QCOMPARE(prompts::shown()[1].title, QStringLiteral("62"));
    QCOMPARE(prompts::shown()[1].icon, prompts::Icon::Information);
    prompts::clearShown();
    QCOMPARE(w->data(), before);
    QCOMPARE(shownState(), shownBefore);
    QVERIFY(w->isModified());

    prompts::queueFileName(dir.filePath(QStringLiteral("missing/out.chp")));
    action("mnuSave")->trigger();
    const prompts::Shown saveError = onlyMessage();
    QCOMPARE(saveError.title, QStringLiteral("错误"));
    QCOMPARE(saveError.icon, prompts::Icon::Critical);
    QVERIFY(w->isModified());
  }

  void frequencyStillBeingTypedIsCheckedBeforeACommand() {
    QStringList ran;
    w->setCommand(mainFrm::Command::Write, [&] { ran << "write"; });
    w->setCommand(mainFrm::Command::Print, [&] { ran << "print"; });
    QLineEdit* editor = w->channelGrid()->rxFreqEditor();
    const auto typeInto = [&](int row, const char* text) {
      clickCell(*w, row, 1);
      QTest::keyClicks(editor, QString::fromLatin1(text));
      prompts::clearShown();  // leaving the cell before may have said something
    };
    const auto verifyRefused = [&](const char* message, int row) {
      QCOMPARE(onlyMessage().text, QString::fromUtf8(message));
      QCOMPARE(w->data().cell(row, 1), QString());
      QVERIFY(editor->isHidden());
    };

    // Save by its shortcut while the editor still has the focus.
    typeInto(1, "480.0025");
    prompts::queueFileName(path("refused.chp"));
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    verifyRefused("请在正确的频率范围输入", 1);
    QCOMPARE(prompts::saveFileName(nullptr, QString()), path("refused.chp"));  // never asked

    // Write from the toolbar.
    typeInto(2, "450.0025");
    clickTool("tbWrite");
    verifyRefused("输入的频率需为6.25K或5K的整数", 2);

    // Print from the menu's shortcut after the editor timer has put the editor away.
    typeInto(3, "480");
    list("cboFuncSQL")->setFocus();
    w->hideEditorsWhenFocusLeft();
    QVERIFY(editor->isHidden());
    QTest::keyClick(w.get(), Qt::Key_P, Qt::ControlModifier);
    verifyRefused("请在正确的频率范围输入", 3);
    QVERIFY(ran.isEmpty());

    // An accepted value is formatted and fills its row as leaving the cell would.
    typeInto(4, "450");
    prompts::queueFileName(path("accepted.chp"));
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(onlyMessage().text, QStringLiteral("保存成功"));
    RadioData saved;
    QCOMPARE(loadChpFile(path("accepted.chp"), saved).status, LoadStatus::Loaded);
    QCOMPARE(saved.channels[3].cells,
             (std::array<QString, 7>{"450.00000", "450.00000", "OFF", "OFF", "否", "宽", "高"}));
    QTest::keyClick(editor, Qt::Key_W, Qt::ControlModifier);  // checked already: no message
    QCOMPARE(ran, QStringList{"write"});
    QVERIFY(prompts::shown().isEmpty());
  }

  void userChangesMarkTheDocumentModified() {
    const QString plain = QStringLiteral("Tervan_V3.0编程软件 ");
    const QString marked = QStringLiteral("Tervan_V3.0编程软件 *");
    QCOMPARE(w->windowTitle(), plain);
    const auto verifyMarkedThenSave = [&](const char* change) {
      QVERIFY2(w->isModified(), change);
      QCOMPARE(w->windowTitle(), marked);
      prompts::queueFileName(path("saved.chp"));
      action("mnuSave")->trigger();
      QCOMPARE(onlyMessage().text, QStringLiteral("保存成功"));
      QVERIFY2(!w->isModified(), change);
      QCOMPARE(w->windowTitle(), plain);
    };

    clickCell(*w, 1, 1);
    QTest::keyClicks(w->channelGrid()->rxFreqEditor(), QStringLiteral("450"));
    verifyMarkedThenSave("typing");
    clickCell(*w, 2, 3);
    clickCell(*w, 2, 4);  // leaving the empty cell makes it "OFF"
    verifyMarkedThenSave("validation");
    list("cboFuncSQL")->setFocus();
    QTest::keyClick(list("cboFuncSQL"), Qt::Key_Down);
    verifyMarkedThenSave("function list");
    list("cboPCmodel")->setFocus();
    QTest::keyClick(list("cboPCmodel"), Qt::Key_Down);
    verifyMarkedThenSave("model");
    w->setCommand(mainFrm::Command::Tune, [this] { w->data().tune.bjlx = QStringLiteral("1"); });
    action("mnuTune")->trigger();
    verifyMarkedThenSave("tune values");

    // Tune mode that changes nothing stored, and a file shown as it was read, are no change.
    w->setCommand(mainFrm::Command::Tune, [] {});
    action("mnuTune")->trigger();
    prompts::queueFileName(path("saved.chp"));
    action("mnuOpen")->trigger();
    QVERIFY(prompts::shown().isEmpty());
    QVERIFY(!w->isModified());
  }

  void discardingCommandsAskFirst() {
    bool read = false;
    bool closed = false;
    w->setCommand(mainFrm::Command::Read, [&] { read = true; });
    connect(w.get(), &mainFrm::closing, this, [&] { closed = true; });
    QVERIFY(!saveChpFile(path("other.chp"), kvtest::sampleRadioData()));
    QComboBox* squelch = list("cboFuncSQL");
    squelch->setFocus();
    QTest::keyClick(squelch, Qt::Key_Down);
    const RadioData changed = w->data();
    const auto verifyAsked = [&] {
      const prompts::Shown asked = prompts::shown().value(0);
      QCOMPARE(asked.text, QStringLiteral("数据已修改，是否保存？"));
      QCOMPARE(asked.title, QStringLiteral("提示"));
      QCOMPARE(asked.buttons, prompts::Buttons::YesNoCancel);
    };

    // "取消" stays, whatever asked.
    const std::function<void()> discarding[] = {
        [&] { QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier); },
        [&] { QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier); },
        [&] { QTest::keyClick(w.get(), Qt::Key_X, Qt::ControlModifier); },
        [&] { w->close(); },
        [&] { QTest::keyClick(list("cboPCmodel"), Qt::Key_Down); },
    };
    for (const auto& discard : discarding) {
      prompts::queueAnswer(prompts::Answer::Cancel);
      prompts::queueFileName(path("other.chp"));
      discard();
      verifyAsked();
      QCOMPARE(onlyMessage().buttons, prompts::Buttons::YesNoCancel);
      QCOMPARE(prompts::openFileName(nullptr, QString()), path("other.chp"));  // never asked
      QCOMPARE(w->data(), changed);
      QCOMPARE(list("cboPCmodel")->currentIndex(), changed.settings.model);
      QVERIFY(w->isVisible() && !closed && !read);
    }

    // "是" whose save fails stays.
    prompts::queueAnswer(prompts::Answer::Yes);
    prompts::queueFileName(dir.filePath(QStringLiteral("missing/out.chp")));
    action("mnuRead")->trigger();
    verifyAsked();
    QCOMPARE(prompts::shown().value(1).title, QStringLiteral("错误"));
    prompts::clearShown();
    QVERIFY(!read && w->isModified());

    // "否" goes on without saving.
    prompts::queueAnswer(prompts::Answer::No);
    clickTool("tbRead");
    QVERIFY(read);
    prompts::queueAnswer(prompts::Answer::No);
    prompts::queueFileName(path("other.chp"));
    clickTool("tbOpen");
    QCOMPARE(w->data().settings, kvtest::sampleRadioData().settings);
    QCOMPARE(w->data().channels[0], kvtest::sampleRadioData().channels[0]);
    QVERIFY(!w->isModified());
    prompts::clearShown();

    // "是" saves, then goes on.
    QTest::keyClick(squelch, Qt::Key_Down);
    prompts::queueAnswer(prompts::Answer::Yes);
    prompts::queueFileName(path("kept.chp"));
    w->close();
    verifyAsked();
    QCOMPARE(prompts::shown().value(1).text, QStringLiteral("保存成功"));
    QVERIFY(closed);
    RadioData kept;
    QCOMPARE(loadChpFile(path("kept.chp"), kept).status, LoadStatus::Loaded);
    QCOMPARE(kept.settings.squelch, kvtest::sampleRadioData().settings.squelch + 1);
  }

  void returnFromAnotherWindowRefreshesTheBandLabel() {
    w->data().cell(1, 1) = QStringLiteral("450.00000");
    w->refreshFromData();
    w->editorTimer()->stop();
    w->bands()[0] = QStringLiteral("136MHz---174MHz");
    QCOMPARE(w->bandLabelText(), QStringLiteral("400MHz---470MHz"));  // not yet activated

    QDialog dialog(w.get());
    QTimer::singleShot(0, &dialog, [&] {
      QVERIFY(QTest::qWaitForWindowActive(&dialog));
      dialog.accept();
    });
    dialog.exec();
    w->activateWindow();  // what the window manager does when a dialog closes
    QTRY_COMPARE(w->bandLabelText(), QStringLiteral("136MHz---174MHz"));
    QVERIFY(w->editorTimer()->isActive());
    QCOMPARE(w->data().cell(1, 1), QStringLiteral("450.00000"));  // the grid is untouched
  }

  void switchingApplicationsIsNoReturn() {
    w->bands()[0] = QStringLiteral("136MHz---174MHz");
    emit qGuiApp->focusWindowChanged(nullptr);  // another application became active
    emit qGuiApp->focusWindowChanged(w->windowHandle());
    QCOMPARE(w->bandLabelText(), QStringLiteral("400MHz---470MHz"));
  }

  void closingTheWindowIsAnnounced() {
    bool closed = false;
    connect(w.get(), &mainFrm::closing, this, [&] { closed = true; });
    action("mnuExit")->trigger();
    QVERIFY(closed);
    QVERIFY(!w->editorTimer()->isActive());
  }
};

QTEST_MAIN(TestMainFrm)
#include "test_mainfrm.moc"
