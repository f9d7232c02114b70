#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <QTemporaryDir>
#include <QTextBrowser>
#include <functional>

#include "../editor/editorfixture.h"
#include "app/application.h"
#include "app/commands.h"
#include "app/frmabout.h"
#include "app/frmsplash.h"
#include "app/helpwindow.h"
#include "editor/mainfrm.h"
#include "exchange/chirpformat.h"
#include "exchange/csvformat.h"
#include "image/inifile.h"
#include "image/joblog.h"
#include "image/memoryimage.h"
#include "image/programlanguage.h"
#include "kvsimprocess.h"
#include "model/valuetexts.h"
#include "preview/printpreview.h"
#include "preview/prnprv.h"
#include "sampledata.h"
#include "testfiles.h"
#include "transfer/frmdk.h"
#include "transfer/frmfleet.h"
#include "transfer/frmjoblog.h"
#include "transfer/frmwait.h"
#include "transfer/portchoice.h"
#include "transfer/transfercommands.h"
#include "tune/frmlogin.h"
#include "tune/frmmode.h"
#include "ui/prompts.h"
#include "ui/usersettings.h"
#include "usersettingsdir.h"
#include "windowtexts.h"

using namespace kv;

namespace {

// A menu's title or an action's text.
QString menuTitle(const mainFrm& w, const char* name) {
  const auto* menu = w.findChild<QMenu*>(QString::fromLatin1(name));
  return menu ? menu->title() : w.findChild<QAction*>(QString::fromLatin1(name))->text();
}

// Shows `window` at its default size; nothing of it may be Chinese or cut off.
void checkEnglish(QWidget* window) {
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window));
  const QStringList chinese = kvtest::chineseTexts(window);
  QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join('\n')));
  // A language change lays the window out again once every part has taken its texts.
  QTRY_VERIFY2(kvtest::cutTexts(window).isEmpty(), qPrintable(kvtest::cutTexts(window).join('\n')));
}

// Every window of the program over `w`, each made in the current language, shown and checked
// by `check`.
void walkWindows(mainFrm& w, const std::function<void(QWidget*)>& check) {
  check(&w);
  mainFrm editing;  // each of the grid's lists open over its cell, in a window of its own
  for (const int column :
       std::initializer_list<int>{kRxSignal, kBusyLock, kBandwidth, kTxPower, 0}) {
    check(&editing);
    if (column) test::clickCell(editing, 1, column);
  }
  frmDK ports(PortChoice{}, &w);
  check(&ports);
  frmWAIT progress(&w);
  check(&progress);
  frmFleet fleet([&w] { return std::optional<RadioData>(w.data()); }, &w);
  check(&fleet);
  frmLogin login(&w);
  check(&login);
  QTemporaryDir dir;
  JobEntry job{QDateTime::currentDateTime(),
               "write",
               "failed",
               "COM1",
               "/dev/ttyUSB0",
               "1a86:7523",
               "A5069RR4",
               "KV--410B(1)",
               QString(64, 'f'),
               "20261208-093000-write-ttyUSB0-KV--410B(1).chp",
               "differs",
               3,
               "Transfer failed"};
  QVERIFY(!appendToJobLog(job, dir.filePath("jobs.jsonl")));
  frmJobLog log({}, &w, dir.filePath("jobs.jsonl"));
  check(&log);
  IniFile settings(dir.filePath(QStringLiteral("Sfc.ini")));
  TuneValues tune;
  frmMODE mode(tune, w.bands(), 0, w.bandLabelText(), settings, &w);
  check(&mode);
  frmAbout about(&w);
  check(&about);
  HelpWindow help(&w);
  check(&help);
  runPrintPreview(&w, w.data(), w.bandLabelText());
  check(prnPrv());
  delete prnPrv();
}

// Picks an entry of 帮助 > 语言 / Language as the user does: the menus opened by the mouse.
void chooseLanguage(mainFrm& w, const char* entry) {
  auto* language = w.findChild<QMenu*>(QStringLiteral("mnuLanguage"));
  language->popup(w.mapToGlobal(QPoint(10, 10)));
  QVERIFY(QTest::qWaitForWindowExposed(language));
  auto* action = language->findChild<QAction*>(QString::fromLatin1(entry));
  QTest::mouseClick(language, Qt::LeftButton, {}, language->actionGeometry(action).center());
  QTRY_VERIFY(!language->isVisible());
}

}  // namespace

class TestLanguage : public QObject {
  Q_OBJECT

  QProcess bus_;  // tests/support/atspi_tree.py, reading this program as a screen reader does

  // `window` alone on the screen, as the accessibility bus shows it ({} if it never does). The
  // tests that read it run under tests/support/a11y-session as test_accessibility.
  QJsonObject onTheBus(QWidget* window) {
    for (QWidget* other : QApplication::topLevelWidgets())
      if (other != window && other->isWindow()) other->hide();
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) return {};
    if (bus_.state() == QProcess::NotRunning)
      bus_.start(QStringLiteral("/usr/bin/python3"),  // Debian's, with the bus's bindings
                 {QStringLiteral(KV_TEST_DATA "/../support/atspi_tree.py"),
                  QString::number(QCoreApplication::applicationPid())});
    bus_.write(window->windowTitle().toUtf8() + '\n');
    QEventLoop loop;  // this program answers the reader's questions meanwhile
    connect(&bus_, &QProcess::readyReadStandardOutput, &loop, [&] {
      if (bus_.canReadLine()) loop.quit();
    });
    connect(&bus_, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!bus_.canReadLine() && bus_.state() != QProcess::NotRunning) loop.exec();
    return QJsonDocument::fromJson(bus_.readLine()).object();
  }

 private slots:
  void initTestCase() {
    prompts::setTestMode(true);
    kvtest::useTemporaryUserSettings();
    kvtest::useTemporaryDataFolders();  // the reads' backups and scratch file
    bus_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  }
  void cleanupTestCase() {
    bus_.closeWriteChannel();
    bus_.waitForFinished();
  }

  void theEnvironmentChoosesWhenTheUserDidNot_data() {
    QTest::addColumn<QByteArrayList>("values");  // LC_ALL, LC_MESSAGES, LANG; empty is not set
    QTest::addColumn<bool>("chinese");
    QTest::newRow("none set") << QByteArrayList{"", "", ""} << true;
    QTest::newRow("C") << QByteArrayList{"", "", "C"} << true;
    QTest::newRow("C.UTF-8") << QByteArrayList{"", "", "C.UTF-8"} << true;
    QTest::newRow("POSIX") << QByteArrayList{"POSIX", "", ""} << true;
    QTest::newRow("zh_TW") << QByteArrayList{"", "", "zh_TW.UTF-8"} << true;
    QTest::newRow("en_US") << QByteArrayList{"", "", "en_US.UTF-8"} << false;
    QTest::newRow("LC_ALL first") << QByteArrayList{"en_GB.UTF-8", "zh_CN", "zh_CN"} << false;
    QTest::newRow("LC_MESSAGES next") << QByteArrayList{"", "zh_CN.UTF-8", "fr_FR"} << true;
  }
  void theEnvironmentChoosesWhenTheUserDidNot() {
    QFETCH(QByteArrayList, values);
    QFETCH(bool, chinese);
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    QByteArrayList saved;
    for (int i = 0; i < 3; ++i) {
      saved << qgetenv(names[i]);
      qputenv(names[i], values[i]);
    }
    const Language language = environmentLanguage();
    for (int i = 0; i < 3; ++i) qputenv(names[i], saved[i]);
    QCOMPARE(language == Language::Chinese, chinese);
  }

  // The window starts in Chinese (the tests' environment), turns English at once when the user
  // picks English, and back; the choice outlives the window and decides the next start.
  void aChoiceTakesEffectAtOnceAndIsKeptForTheNextStart() {
    configureApplication(*qApp);
    QCOMPARE(currentLanguage(), Language::Chinese);
    auto w = std::make_unique<mainFrm>();
    wireCommands(*w);
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QCOMPARE(menuTitle(*w, "mnuFile"), QStringLiteral("文件(&F)"));
    QVERIFY(w->findChild<QAction*>(QStringLiteral("mnuChinese"))->isChecked());
    // The submenu sits between 帮助's first entry and its separator.
    const QList<QAction*> help = w->findChild<QMenu*>(QStringLiteral("mnuHelp"))->actions();
    QCOMPARE(help.value(1)->menu()->title(), QStringLiteral("语言 / Language"));
    QVERIFY(help.value(2)->isSeparator());

    chooseLanguage(*w, "mnuEnglish");
    QTRY_COMPARE(menuTitle(*w, "mnuFile"), QStringLiteral("&File"));
    QCOMPARE(menuTitle(*w, "mnuHelp"), QStringLiteral("&Help"));
    QCOMPARE(menuTitle(*w, "tbWrite"), QStringLiteral("Write"));
    QCOMPARE(menuTitle(*w, "mnuVerify"), QStringLiteral("Verify After Writing"));
    QVERIFY(w->windowTitle().startsWith(QStringLiteral("Tervan_V3.0 Programming Software")));
    QCOMPARE(menuTitle(*w, "mnuLanguage"), QStringLiteral("语言 / Language"));
    QCOMPARE(UserSettings().language(), Language::English);

    chooseLanguage(*w, "mnuChinese");
    QTRY_COMPARE(menuTitle(*w, "mnuFile"), QStringLiteral("文件(&F)"));
    QCOMPARE(menuTitle(*w, "tbWrite"), QStringLiteral("写频"));
    QVERIFY(w->windowTitle().startsWith(QStringLiteral("Tervan_V3.0编程软件")));

    chooseLanguage(*w, "mnuEnglish");
    w.reset();
    useLanguage(Language::Chinese);  // as a new start begins, whatever the last one spoke
    configureApplication(*qApp);     // the environment still asks for Chinese
    mainFrm next;
    wireCommands(next);
    QCOMPARE(menuTitle(next, "mnuProgram"), QStringLiteral("&Program"));
    QVERIFY(next.findChild<QAction*>(QStringLiteral("mnuEnglish"))->isChecked());
    useLanguage(Language::Chinese);
  }

  // Every window in English: no Chinese but the two language entries, no text cut off. The main
  // window, kept open through a switch to English and back, shows its Chinese texts again.
  void everyWindowInEnglish() {
    useLanguage(Language::Chinese);
    mainFrm w;
    wireCommands(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // In any order: a language change may move the menus' actions among the window's children.
    const auto sortedTexts = [&w] {
      QStringList texts = kvtest::visibleTexts(&w);
      texts.sort();
      return texts.join('\n');
    };
    const QString chinese = sortedTexts();
    QVERIFY(chinese.contains(QStringLiteral("fraChan: 信道数据设置\n")));
    useLanguage(Language::English);
    QTRY_COMPARE(menuTitle(w, "mnuFile"), QStringLiteral("&File"));
    walkWindows(w, checkEnglish);
    // The batch's questions: how many radios, and whether to stop, with buttons that say so.
    prompts::clearShown();
    confirmWrite(&w, 3);
    confirmStop(&w);
    QCOMPARE(prompts::shown()[0].text, QStringLiteral("Start writing 3 radios?"));
    QCOMPARE(prompts::shown()[1].text, QStringLiteral("Stop the transfer?"));
    QCOMPARE(prompts::shown()[1].captions, (QStringList{"Stop", "Continue"}));
    // Every control of the batch dialog a keyboard reaches has a name a screen reader says.
    frmFleet fleet([&w] { return std::optional<RadioData>(w.data()); }, &w);
    for (const QWidget* control : fleet.findChildren<QWidget*>()) {
      const QString name = control->accessibleName();
      if (control->focusPolicy() != Qt::NoFocus)
        QVERIFY2(!name.isEmpty() && !kvtest::hasChinese(name),
                 qPrintable(control->objectName() + ": " + name));
    }
    // Printing with no printer offers the PDF.
    runPrintPreview(&w, w.data(), w.bandLabelText());
    prnPrv()->setPrintSetup([](QPrinter&) { return PrnPrv::PrinterChoice::NoPrinter; });
    prompts::clearShown();
    prompts::queueAnswer(false);
    prnPrv()->button(4)->click();
    QCOMPARE(prompts::shown().value(0).text, QStringLiteral("No printer is available"));
    QCOMPARE(prompts::shown().value(0).captions, (QStringList{"Save as PDF…", "Cancel"}));
    delete prnPrv();
    HelpWindow help;  // the manual of the current language, as the splash's picture
    QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("User Guide")));
    QVERIFY(!kvtest::hasChinese(help.browser()->toPlainText()));
    QCOMPARE(frmSplash::picture(), QStringLiteral(":/app/splash_en.png"));
    useLanguage(Language::Chinese);
    QTRY_COMPARE(sortedTexts(), chinese);
  }

  // Every window, in each language, under a light, a dark and a high-contrast palette, with the
  // system's font or 16 pt text, and at 150 % and 200 % (test_language_150 and _200 run this
  // with QT_SCALE_FACTOR on a 1366x768 screen): every text keeps 4.5:1 against its background
  // (the main window, made before the palette changed, follows it), unticked boxes and grid
  // lines keep 3:1, none is cut, the grid's focus frame stands out on its selected cell, and up
  // to 150 % every window fits its screen.
  void everyWindowReadsInEveryPaletteAndSize_data() {
    QTest::addColumn<QPalette>("colours");
    QTest::addColumn<Language>("language");
    QTest::addColumn<double>("points");
    const QPalette light = QApplication::style()->standardPalette();
    const QPalette dark(QColor(0x353535), QColor(0x353535));  // light text on dark grey
    QPalette contrast(Qt::black, Qt::black);  // white on black, the selection black on yellow
    contrast.setColor(QPalette::Highlight, Qt::yellow);
    contrast.setColor(QPalette::HighlightedText, Qt::black);
    QTest::newRow("light, Chinese") << light << Language::Chinese << 0.0;
    QTest::newRow("dark, English") << dark << Language::English << 0.0;
    QTest::newRow("high contrast, Chinese, 16 pt") << contrast << Language::Chinese << 16.0;
    QTest::newRow("light, English, 16 pt") << light << Language::English << 16.0;
  }
  void everyWindowReadsInEveryPaletteAndSize() {
    QFETCH(QPalette, colours);
    QFETCH(Language, language);
    QFETCH(double, points);
    const bool doubled = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() > 1.5;
    if (doubled && points > 0) QSKIP("16 pt text is for screens at up to 150 %");
    configureApplication(*qApp);  // as the program starts: it watches the palette
    const QFont system = QApplication::font();
    QFont font = system;
    if (points > 0) font.setPointSizeF(points);
    QApplication::setFont(font);
    useLanguage(language);
    auto w = test::openMainWindow();
    QApplication::setPalette(colours);
    QStringList problems;
    walkWindows(*w, [&problems, doubled](QWidget* window) {
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
      QCoreApplication::processEvents();
      problems << kvtest::faintTexts(window) << kvtest::unseenEdges(window)
               << kvtest::cutTexts(window);
      const QSize room = window->screen()->availableGeometry().size();
      if (!doubled && room.expandedTo(window->frameGeometry().size()) != room)
        problems << window->objectName() + QStringLiteral(" does not fit the screen");
    });
    QTableWidget* grid = w->channelGrid()->grid();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    grid->setFocus();
    grid->setCurrentCell(2, kTxFreq);
    w->setAttribute(Qt::WA_KeyboardFocusChange);  // as after a key moved the focus
    const QRect cell = grid->visualItemRect(grid->item(2, kTxFreq));
    const QColor frame =
        grid->viewport()->grab().toImage().pixelColor(cell.left() + 2, cell.y() + 9);
    const QColor selection = QApplication::palette().color(QPalette::Highlight);
    QApplication::setPalette(QApplication::style()->standardPalette());
    QApplication::setFont(system);
    useLanguage(Language::Chinese);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QVERIFY2(contrastRatio(frame, selection) >= 3, qPrintable(frame.name()));
  }

  // Keyboard alone: every menu has an access key; Tab comes from the panel's last list into the
  // table and leaves it past its last cell, Shift+Tab before its first, Ctrl+Tab from any cell;
  // in every dialog Tab goes from its fields to its buttons and Esc closes it. (The
  // screen-reader session presses Enter on the dialogs' default buttons.)
  void theKeyboardReachesEveryCommandAndLeavesTheTable() {
    auto w = test::openMainWindow();
    for (const QAction* menu : w->menuBar()->actions()) QVERIFY(menu->text().contains('&'));
    QTableWidget* grid = w->channelGrid()->grid();
    auto* first = w->findChild<QComboBox*>(QStringLiteral("cboPCmodel"));
    auto* last = w->findChild<QComboBox*>(QStringLiteral("cboYYBP"));
    const struct {
      QWidget* from;
      int row, column;  // the grid's current cell
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      QWidget* next;
    } moves[] = {{last, 1, 1, Qt::Key_Tab, {}, grid},
                 {grid, 16, kTxPower, Qt::Key_Tab, {}, first},
                 {grid, 1, kRxFreq, Qt::Key_Backtab, {}, last},
                 {grid, 3, kBusyLock, Qt::Key_Tab, Qt::ControlModifier, first}};
    for (const auto& m : moves) {
      grid->setCurrentCell(m.row, m.column);
      m.from->setFocus();
      QTest::keyClick(m.from, m.key, m.modifiers);
      QCOMPARE(QApplication::focusWidget(), m.next);
    }
    walkWindows(*w, [](QWidget* window) {
      if (!qobject_cast<QDialog*>(window)) return;
      window->show();
      QString order;  // f for a field, b for a button
      for (QWidget* c = window->nextInFocusChain(); c != window; c = c->nextInFocusChain())
        if (c->isVisibleTo(window) && c->isEnabled() && c->focusPolicy() & Qt::TabFocus)
          order += qobject_cast<QPushButton*>(c) ? 'b' : 'f';
      QVERIFY2(!order.contains(QStringLiteral("bf")), qPrintable(window->objectName() + order));
      QTest::keyClick(window, Qt::Key_Escape);
      QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    });
  }

  // Over the accessibility bus (test_accessibility runs this under tests/support/a11y-session),
  // in each language: in every window each control a keyboard reaches is named; the grid is a
  // table of 16 channels by 7 columns headed by its headings and channels, each cell read as it
  // shows (an empty one as empty), and the list open over a cell is labelled with its column.
  void everyWindowReadsOnTheBus_data() {
    QTest::addColumn<Language>("language");
    QTest::newRow("Chinese") << Language::Chinese;
    QTest::newRow("English") << Language::English;
  }
  void everyWindowReadsOnTheBus() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) QSKIP("no accessibility bus");
    QFETCH(Language, language);
    useLanguage(language);
    auto w = test::openMainWindow();
    QStringList unnamed;
    walkWindows(*w, [&](QWidget* window) {
      const QJsonValue roles = onTheBus(window)["unnamed"];
      if (!roles.isArray()) unnamed << window->windowTitle() + QStringLiteral(": not on the bus");
      for (const QJsonValue role : roles.toArray())
        unnamed << window->windowTitle() + QStringLiteral(": ") + role.toString();
    });
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join('\n')));

    test::setDocument(*w, [](RadioData& d) {
      d.cell(3, kRxFreq) = QStringLiteral("435.12500");
      d.cell(3, kBandwidth) = QStringLiteral("窄");
    });
    test::clickCell(*w, 3, kBusyLock);
    const QJsonObject shown = onTheBus(w.get()), table = shown["table"].toObject();
    QStringList headings, row3{"435.12500", "", "", "", "", valueText("窄"), ""};
    for (int c = kRxFreq; c <= kTxPower; ++c) headings << columnCaption(c);
    QCOMPARE(table["name"], w->channelGrid()->grid()->accessibleName());
    QCOMPARE(table["rows"].toInt() * 100 + table["columns"].toInt(), 1607);  // 16 by 7
    QCOMPARE(table["columnHeaders"].toVariant().toStringList(), headings);
    QCOMPARE(table["rowHeaders"][2], language == Language::Chinese ? "信道 3" : "Channel 3");
    QCOMPARE(table["cells"][2].toVariant().toStringList(), row3);
    const QString busyLock = columnCaption(kBusyLock);  // the list open over channel 3's
    QCOMPARE(shown["lists"][busyLock][0], busyLock);
    useLanguage(Language::Chinese);
  }

  // The grid and the lists show each value in the window's language; typing and pasting take
  // either language's text in any letter case, and the document keeps the values.
  void valuesShowInTheLanguageAndEnterInEither() {
    useLanguage(Language::Chinese);
    auto w = test::openMainWindow();
    test::clickCell(*w, 1, kRxFreq);
    QTest::keyClicks(w->channelGrid()->rxFreqEditor(), QStringLiteral("435.125"));
    QTest::keyClick(w->channelGrid()->rxFreqEditor(), Qt::Key_Return);
    QCOMPARE(w->data().cell(1, kBusyLock), QStringLiteral("否"));
    const auto paste = [&w](int row, const QString& text) {
      test::clickCell(*w, row, kBusyLock);
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(w->channelGrid()->grid(), Qt::Key_V, Qt::ControlModifier);
    };
    paste(1, QStringLiteral("YES\tnarrow\tMid"));
    const auto cells = [&w] {
      return QStringList{w->data().cell(1, kBusyLock), w->data().cell(1, kBandwidth),
                         w->data().cell(1, kTxPower)};
    };
    QCOMPARE(cells(), (QStringList{"是", "窄", "中"}));
    QTableWidget* grid = w->channelGrid()->grid();

    useLanguage(Language::English);
    QTRY_COMPARE(grid->item(1, kBandwidth)->text(), QStringLiteral("Narrow"));
    QCOMPARE(grid->item(0, kRxFreq)->text(), QStringLiteral("RX frequency"));
    QCOMPARE(grid->item(1, kBusyLock)->text(), QStringLiteral("Yes"));
    // A refused frequency: the range message names the band, the raster's speaks of kHz.
    for (const auto& [typed, said] :
         {std::pair{"480", "Please enter a frequency within 400–470 MHz"},
          {"450.0025", "The frequency must be a multiple of 6.25 kHz or 5 kHz"}}) {
      prompts::clearShown();
      test::clickCell(*w, 2, kRxFreq);
      QTest::keyClicks(w->channelGrid()->rxFreqEditor(), QString::fromLatin1(typed));
      QTest::keyClick(w->channelGrid()->rxFreqEditor(), Qt::Key_Return);
      QCOMPARE(prompts::shown().value(0).text, QString::fromUtf8(said));
    }
    // A verify's difference in the window: the grid's caption, the value's text.
    QCOMPARE(differenceText("channel 4 bandwidth: 宽 -> 窄", DifferenceSides::WrittenAndRadio),
             QStringLiteral("Channel 4 Wide/Narrow: written Wide, radio Narrow"));
    paste(1, QStringLiteral("否\twide\tlow"));
    QCOMPARE(cells(), (QStringList{"否", "宽", "低"}));
    QCOMPARE(grid->item(1, kTxPower)->text(), QStringLiteral("Low"));
    auto* voice = w->findChild<QComboBox*>(QStringLiteral("cboYYBP"));
    QCOMPARE(voice->itemText(1), QStringLiteral("Chinese"));
    // A pick from a cell's list stores the value, not its text.
    test::clickCell(*w, 1, kBandwidth);
    auto* list = w->findChild<QComboBox*>(QStringLiteral("cmbVask1"));
    QCOMPARE(list->itemText(1), QStringLiteral("Narrow"));
    list->setCurrentIndex(1);
    emit list->activated(1);
    QCOMPARE(w->data().cell(1, kBandwidth), QStringLiteral("窄"));
    useLanguage(Language::Chinese);
    QTRY_COMPARE(grid->item(1, kBandwidth)->text(), QStringLiteral("窄"));
  }

  // What a comparison with a radio and a refused CSV import say in the window, in either
  // language: the captions of the settings lists, the tune window and the grid, the values'
  // texts, a byte's address, the row of a table.
  void differencesAndImportErrorsReadInTheWindowsLanguage() {
    useLanguage(Language::Chinese);
    mainFrm w;
    wireCommands(w);
    w.document().change(kvtest::sampleRadioData());
    RadioData fields = w.data();  // a radio that differs in a setting, the tune and a cell
    fields.settings.voice = 2;
    fields.tune.bjlx = QStringLiteral("1");
    fields.cell(2, kBandwidth) = QStringLiteral("窄");
    QByteArray unused = encodeImage(w.data()).bytes;  // one that differs where no field shows
    unused[1] = 0;
    const QString csv = QString::fromUtf8(toCsv(w.data()));
    const auto changed = [](QString text, const char* from, const char* to) {
      return text.replace(QString::fromUtf8(from), QString::fromUtf8(to)).toUtf8();
    };
    const struct {
      QByteArray file;  // a radio's memory to compare with, or a table to import
      const char* chinese;
      const char* english;
    } cases[] = {
        {encodeImage(fields).bytes,
         "：\n\n语音报频：中文 → 英文\n中频：正 → 负\n信道2 宽/窄：宽 → 窄",
         ":\n\nVoice: window Chinese, radio English\nIF side: window Positive, radio Negative\n"
         "Channel 2 Wide/Narrow: window Wide, radio Narrow"},
        {unused, "：\n\n地址0x0001：FF → 00", ":\n\nAddress 0x0001: window FF, radio 00"},
        {changed(csv, "busy_lock", "busy"), "\n第1行：表头必须是channel,rx_freq,",
         "\nRow 1: the header must be channel,rx_freq,"},
        {changed(csv, "窄,中", "窄,中,x"), "\n第2行：有9个字段，应为8个",
         "\nRow 2: 9 fields, not 8"},
        {(csv.section("\r\n", 0, 0) + "\r\n1\r\n").toUtf8(), "\n第2行：有1个字段，应为8个",
         "\nRow 2: 1 field, not 8"},
        {changed(QString::fromUtf8(toChirpCsv(w.data())), ",NFM,", ",AM,"),
         "\n第2行 Mode列：“AM”不是FM或NFM", "\nRow 2, column Mode: “AM” is not FM or NFM"},
    };
    QTemporaryDir dir;
    const QString file = dir.filePath("file.csv");
    for (const auto& c : cases) {
      QVERIFY(kvtest::writeAll(file, c.file));
      const bool radio = c.file.size() == kImageSize;
      std::optional<kvtest::KvsimProcess> sim;
      if (radio) {
        sim.emplace(QStringList{"--image", file});
        qputenv("KVPROG_PORTS", sim->device().toLocal8Bit());
      }
      restoreRememberedPort();
      for (const Language language : {Language::Chinese, Language::English}) {
        useLanguage(language);
        prompts::clearShown();
        if (!radio) prompts::queueFileName(file);
        w.findChild<QAction*>(radio ? "mnuCompare" : "mnuImportCsv")->trigger();
        QCOMPARE(prompts::shown().size(), 1);
        const QString said = prompts::shown()[0].text;
        QVERIFY2(
            said.contains(QString::fromUtf8(language == Language::English ? c.english : c.chinese)),
            qPrintable(said));
      }
      qunsetenv("KVPROG_PORTS");
    }
    useLanguage(Language::Chinese);
  }

  // A new radio, all 0xFF: its read fails in plain words in either language; a batch row names
  // its step in one phrase and ends in a sentence.
  void aBlankRadioReadAndWrittenInEitherLanguage() {
    QTemporaryDir dir;
    kvtest::KvsimProcess blank({"--image", dir.filePath("radio.bin")});
    qputenv("KVPROG_PORTS", blank.device().toLocal8Bit());
    restoreRememberedPort();
    mainFrm w;
    wireCommands(w);
    w.show();
    const RadioData before = w.data();
    const struct {
      Language language;
      const char* said;
      const char* status;
    } reads[] = {{Language::Chinese,
                  "对讲机中没有本程序能读入的数据，它可能还没有写过频，或不是本程序支持的机型。"
                  "详情：无效的属性值（第1行）",
                  "读频失败：COM1："},
                 {Language::English,
                  "The radio holds no data this program can load: it may never have been "
                  "written, or it is not a model this program supports. Details: Invalid "
                  "property value (line 1)",
                  "Read failed: COM1: "}};
    for (const auto& read : reads) {
      useLanguage(read.language);
      prompts::clearShown();
      prompts::queueAnswer(true);  // the read's question
      w.findChild<QAction*>(QStringLiteral("tbRead"))->trigger();
      QCOMPARE(prompts::shown().size(), 2);
      QCOMPARE(prompts::shown()[1].text, QString::fromUtf8(read.said));
      QCOMPARE(prompts::shown()[1].title, QStringLiteral("380"));
      QCOMPARE(w.statusBar()->currentMessage(), QString::fromUtf8(read.status) + blank.device());
      QCOMPARE(w.data(), before);
      const QList<JobEntry> log = readJobLog().entries;  // it says why, as the box did
      const JobEntry logged = log.value(log.size() - 1);
      QCOMPARE(logged.outcome + logged.failure, "failed" + QString::fromUtf8(read.said));
    }

    frmFleet fleet([&w] { return std::optional<RadioData>(w.data()); }, &w);
    fleet.show();
    fleet.portRow(0)->setCheckState(0, Qt::Checked);
    fleet.chkKeepTune()->setChecked(false);  // a blank radio has no alignment of its own
    fleet.chkVerify()->setChecked(true);
    QStringList rowSaid;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (rowSaid.value(rowSaid.size() - 1) != fleet.result(0)) rowSaid << fleet.result(0);
    });
    watch.start(5);
    QTest::mouseClick(fleet.cmdStart(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!fleet.running(), 20000);
    watch.stop();
    for (const char* said : {"Step 1 of 2: writing — connecting to the radio…",
                             "Step 1 of 2: writing…", "Step 2 of 2: verifying…"})
      QVERIFY2(rowSaid.contains(QString::fromUtf8(said)), qPrintable(rowSaid.join('\n')));
    QCOMPARE(fleet.result(0), QStringLiteral("Written and verified"));
    fleet.chkVerify()->setChecked(false);
    useLanguage(Language::Chinese);
    qunsetenv("KVPROG_PORTS");
  }

  // An English table leaves in English words (a spreadsheet saved in a single-byte code page
  // keeps them) and comes back as it was; a list of channels reads as English writes it.
  void tablesLeaveInTheWindowsLanguage() {
    useLanguage(Language::English);
    mainFrm w;
    wireCommands(w);
    RadioData data = kvtest::sampleRadioData();
    data.cell(3, kBusyLock) = QStringLiteral("是");
    w.document().replace(data);
    QTemporaryDir dir;
    const QString csv = dir.filePath("table.csv");
    prompts::clearShown();
    prompts::queueFileName(csv);
    w.findChild<QAction*>("mnuExportCsv")->trigger();
    prompts::queueFileName(dir.filePath("chirp.csv"), "CHIRP CSV(*.csv)");
    w.findChild<QAction*>("mnuExportCsv")->trigger();
    QCOMPARE(prompts::shown().size(), 2);
    QCOMPARE(prompts::shown()[1].text,
             QStringLiteral("Exported\nBusy lock cannot be written to CHIRP CSV: channels 1, 3"));
    const QString table = QString::fromUtf8(kvtest::readAll(csv));
    QVERIFY2(table.contains(",Yes,Narrow,Mid\r\n") && !kvtest::hasChinese(table),
             qPrintable(table));
    RadioData cleared = data;
    cleared.clearChannels();
    w.document().replace(cleared);
    prompts::queueFileName(csv);
    w.findChild<QAction*>("mnuImportCsv")->trigger();
    QCOMPARE(w.data(), data);
    useLanguage(Language::Chinese);
  }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
