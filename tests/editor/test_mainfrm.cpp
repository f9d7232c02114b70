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
    kv::test::setDocument(*w,
                          [](RadioData& d) { d.tune.jtlx = d.tune.bjlx = QStringLiteral("1"); });
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
    kv::test::setDocument(*w, [](RadioData& d) { d.cell(1, 1) = QStringLiteral("450.00000"); });
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
    kv::test::setDocument(*w, [](RadioData& d) {
      d.cell(1, 1) = QStringLiteral("450.12500");
      d.settings.model = 2;
    });
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
    kv::test::setDocument(
        *w, [](RadioData& d) { d.cell(2, 1) = QStringLiteral("460.00000"); }, true);
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
    w->document().replace(kvtest::sampleRadioData());
    w->refreshFromData();
    QTest::keyClick(list("cboFuncSQL"), Qt::Key_Down);
    const RadioData before = w->data();
    const QStringList shownBefore = shownState();
    // The file names another model (which clears the table) and breaks off in channel 2.
    QByteArray text = kvtest::readAll(kvtest::fixturePath("example.chp"));
    text.replace("52 00 00 08 11", "52 00 00 08 14").truncate(text.indexOf("52 00 30 08"));
    QVERIFY(kvtest::writeAll(path("broken.chp"), text));
    prompts::queueAnswer(prompts::Answer::No);  // do not save the changes
    prompts::queueFileName(path("broken.chp"));
    QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(prompts::shown().value(1).title, QStringLiteral("62"));
    QCOMPARE(w->data(), before);
    QCOMPARE(shownState(), shownBefore);  // the caption still says "modified"
  }

  void frequencyStillBeingTypedIsCheckedBeforeACommand() {
    QStringList ran;
    w->setCommand(mainFrm::Command::Write, [&] { ran << "write"; });
    w->setCommand(mainFrm::Command::Print, [&] { ran << "print"; });
    QLineEdit* editor = w->channelGrid()->rxFreqEditor();
    const struct {
      int row;
      const char* typed;
      const char* refusal;
      std::function<void()> command;
    } attempts[] = {
        {1, "480.0025", "请在正确的频率范围输入",
         [&] { QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier); }},
        {2, "450.0025", "输入的频率需为6.25K或5K的整数", [&] { clickTool("tbWrite"); }},
        {3, "480", "请在正确的频率范围输入",
         [&] {
           list("cboFuncSQL")->setFocus();
           w->hideEditorsWhenFocusLeft();  // the editor timer puts the editor away
           QTest::keyClick(w.get(), Qt::Key_P, Qt::ControlModifier);
         }},
    };
    for (const auto& attempt : attempts) {
      clickCell(*w, attempt.row, 1);
      QTest::keyClicks(editor, QString::fromLatin1(attempt.typed));
      prompts::clearShown();
      prompts::queueFileName(path("refused.chp"));
      attempt.command();
      QCOMPARE(onlyMessage().text, QString::fromUtf8(attempt.refusal));
      QCOMPARE(w->data().cell(attempt.row, 1), QString());
      QCOMPARE(prompts::saveFileName(nullptr, QString()), path("refused.chp"));  // never asked
    }
    QVERIFY(ran.isEmpty());

    // An accepted value is formatted and fills its row, as leaving the cell would.
    clickCell(*w, 4, 1);
    QTest::keyClicks(editor, QStringLiteral("450"));
    QTest::keyClick(editor, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(ran, QStringList{"write"});
    QCOMPARE(w->data().channels[3].cells,
             (std::array<QString, 7>{"450.00000", "450.00000", "OFF", "OFF", "否", "宽", "高"}));
  }

  void changesAreMarkedAndAskedAboutBeforeTheyAreDiscarded() {
    w->setCommand(mainFrm::Command::Tune, [this] {
      kv::test::setDocument(
          *w, [](RadioData& d) { d.tune.bjlx = QStringLiteral("1"); }, true);
    });
    const std::function<void()> changes[] = {
        [&] {
          clickCell(*w, 1, 1);
          QTest::keyClicks(w->channelGrid()->rxFreqEditor(), QStringLiteral("450"));
        },
        [&] {
          clickCell(*w, 2, 3);
          clickCell(*w, 2, 4);  // leaving the empty cell makes it "OFF"
        },
        [&] { QTest::keyClick(list("cboFuncSQL"), Qt::Key_Down); },
        [&] { QTest::keyClick(list("cboPCmodel"), Qt::Key_Down); },
        [&] { action("mnuTune")->trigger(); },
    };
    // Marked without a file at first, then with the file the first save made current.
    QString modified = QStringLiteral("Tervan_V3.0编程软件 *");
    for (const auto& change : changes) {
      change();
      QCOMPARE(w->windowTitle(), modified);
      prompts::queueFileName(path("saved.chp"));
      action("mnuSave")->trigger();
      QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 - saved.chp"));
      modified = QStringLiteral("Tervan_V3.0编程软件 - saved.chp *");
    }

    bool read = false;
    bool closed = false;
    w->setCommand(mainFrm::Command::Read, [&] { read = true; });
    connect(w.get(), &mainFrm::closing, this, [&] { closed = true; });
    QTest::keyClick(list("cboFuncSQL"), Qt::Key_Down);
    const RadioData changed = w->data();
    const std::function<void()> discarding[] = {
        [&] { QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier); },
        [&] { QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier); },
        [&] { QTest::keyClick(w.get(), Qt::Key_X, Qt::ControlModifier); },
        [&] { w->close(); },
        [&] { QTest::keyClick(list("cboPCmodel"), Qt::Key_Down); },
    };
    for (const auto& discard : discarding) {
      prompts::clearShown();
      prompts::queueAnswer(prompts::Answer::Cancel);
      discard();
      const prompts::Shown asked = onlyMessage();
      QCOMPARE(asked.text, QStringLiteral("数据已修改，是否保存？"));
      QCOMPARE(asked.title, QStringLiteral("提示"));
      QCOMPARE(asked.buttons, prompts::Buttons::YesNoCancel);
      QCOMPARE(w->data(), changed);
      QCOMPARE(list("cboPCmodel")->currentIndex(), changed.settings.model);
      QVERIFY(!read && !closed);
    }
    prompts::queueAnswer(prompts::Answer::Yes);  // a save that fails stays
    prompts::queueFileName(dir.filePath(QStringLiteral("missing/out.chp")));
    clickTool("tbRead");
    QCOMPARE(prompts::shown().value(1).title, QStringLiteral("错误"));
    QCOMPARE(prompts::shown().value(1).icon, prompts::Icon::Critical);
    QVERIFY(!read);
    prompts::queueAnswer(prompts::Answer::No);
    clickTool("tbRead");
    QVERIFY(read);
    prompts::queueAnswer(prompts::Answer::Yes);
    prompts::queueFileName(path("kept.chp"));
    w->close();
    QVERIFY(closed);
    RadioData kept;
    QCOMPARE(loadChpFile(path("kept.chp"), kept).status, LoadStatus::Loaded);
    QCOMPARE(kept.settings, changed.settings);
  }

  void signallingBytesThatNameNoCodeAreShownAfterTheLoad() {
    QFile all(QStringLiteral(KV_TEST_DATA "/all-off.chp"));
    QVERIFY(all.open(QIODevice::ReadOnly));
    QByteArray text = all.readAll();
    text.replace("52 00 38 08 FF FF FF FF", "52 00 38 08 80 40 80 00");
    text.replace("52 00 58 08 FF FF FF FF", "52 00 58 08 FF FF C0 FF");
    QFile odd(path("odd.chp"));
    QVERIFY(odd.open(QIODevice::WriteOnly));
    odd.write(text);
    odd.close();
    prompts::queueFileName(odd.fileName());
    action("mnuOpen")->trigger();
    const prompts::Shown shown = onlyMessage();
    QCOMPARE(shown.text, QStringLiteral("以下信令字节无法识别：\n"
                                        "信道3 接收信令 80 40 → D072N\n"
                                        "信道5 发射信令 C0 FF → （空）"));
    QCOMPARE(shown.title, QStringLiteral("提示"));
    QCOMPARE(shown.icon, prompts::Icon::Information);
    QCOMPARE(w->channelGrid()->grid()->item(3, kRxSignal)->text(), QStringLiteral("D072N"));
  }

  void returnFromAnotherWindowRefreshesTheBandLabel() {
    kv::test::setDocument(*w, [](RadioData& d) { d.cell(1, 1) = QStringLiteral("450.00000"); });
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
