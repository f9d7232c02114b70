#include "editor/mainfrm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include "editor/channelgrid.h"
#include "editor/editcommands.h"
#include "editor/functionpanel.h"
#include "editor/recentfiles.h"
#include "exchange/chirpformat.h"
#include "exchange/csvformat.h"
#include "image/atomicfile.h"
#include "image/backups.h"
#include "image/boundedreader.h"
#include "image/chpfile.h"
#include "image/inifile.h"
#include "image/programfolders.h"
#include "ui/prompts.h"
#include "ui/screenfit.h"
#include "ui/translatedtext.h"
#include "ui/usersettings.h"
#include "ui/writeoption.h"

namespace kv {
namespace {

const char* const kCaption = QT_TRANSLATE_NOOP("kv::mainFrm", "Tervan_V3.0编程软件 ");
const QString kModifiedMark = QStringLiteral("*");
const char* const kFilter = QT_TRANSLATE_NOOP("kv::mainFrm", "chp(*.chp);;所有文件(*.*)");
const char* const kCsvFilter = QT_TRANSLATE_NOOP("kv::mainFrm", "CSV(*.csv);;所有文件(*.*)");
// A table leaves in either form; which one it is, an import tells by the header.
const QString kChirpFilter = QStringLiteral("CHIRP CSV(*.csv)");
const char* const kCsvExportFilter =
    QT_TRANSLATE_NOOP("kv::mainFrm", "CSV(*.csv);;%1;;所有文件(*.*)");  // %1: kChirpFilter
const char* const kExportCsv = QT_TRANSLATE_NOOP("kv::mainFrm", "导出信道表(CSV)");
const char* const kImportCsv = QT_TRANSLATE_NOOP("kv::mainFrm", "导入信道表(CSV)");
const char* const kOpenBackup = QT_TRANSLATE_NOOP("kv::mainFrm", "打开备份");
const int kEditorTimerMs = 1000;

// The window's contents scroll where the screen is too small for them (large text, a small
// screen); elsewhere the area is as large as what it holds, grows with it and shows no bars.
class ContentsArea : public QScrollArea {
 public:
  // `room`: the most the screen leaves for the area.
  explicit ContentsArea(std::function<QSize()> room) : room_(std::move(room)) {}

  QSize minimumSizeHint() const override { return withFrame(widget()->minimumSizeHint()); }
  QSize sizeHint() const override { return withFrame(widget()->sizeHint()); }

 protected:
  bool event(QEvent* event) override {
    // What it holds needs another size: the window around it lays itself out again.
    if (event->type() == QEvent::LayoutRequest) updateGeometry();
    return QScrollArea::event(event);
  }

 private:
  QSize withFrame(QSize contents) const {
    const int frame = 2 * frameWidth();
    return (contents + QSize(frame, frame)).boundedTo(room_());
  }

  std::function<QSize()> room_;
};

void rememberFolderOf(const QString& path) {
  UserSettings().setLastFolder(QFileInfo(path).absolutePath());
}

}  // namespace

mainFrm::mainFrm(QWidget* parent)
    : QMainWindow(parent),
      document_(new Document(this)),
      settingsPath_(settingsFile()),
      bands_(readBands(IniFile(settingsPath_))),
      replacedBands_(replaceInvalidBands(bands_)),
      grid_(new ChannelGrid(*document_, [this] { return bandLabelText(); })),
      panel_(new FunctionPanel(*document_)),
      editCommands_(new EditCommands(
          *document_, *grid_, [this] { return bandLabelText(); }, this)),
      timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("mainFrm"));
  setContextMenuPolicy(Qt::NoContextMenu);  // the toolbar cannot be hidden

  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->addWidget(grid_, 0, Qt::AlignTop);
  layout->addWidget(panel_, 0);
  auto* area = new ContentsArea([this] {
    // The screen less the window's frame, menus, tool bar and status bar.
    const QSize whole = sizeOnScreen(this, QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height() +
                     (toolBar_ ? toolBar_->sizeHint().height() : 0);
    return whole - QSize(0, bars);
  });
  area->setFrameShape(QFrame::NoFrame);
  area->setFocusPolicy(Qt::NoFocus);  // the focus goes to the controls, which it scrolls to
  area->setWidgetResizable(true);
  area->setWidget(central);
  setCentralWidget(area);
  buildMenus();
  buildToolBar();
  statusBar()->setObjectName(QStringLiteral("sbStatusBar"));

  timer_->setObjectName(QStringLiteral("Timer"));
  timer_->setInterval(kEditorTimerMs);
  connect(timer_, &QTimer::timeout, this, &mainFrm::hideEditorsWhenFocusLeft);
  connect(panel_, &FunctionPanel::modelChanged, this, &mainFrm::selectModel);
  // An undone or redone step may bring back another model.
  connect(document_, &Document::changed, this,
          [this] { panel_->setBandText(bandTextOf(bands_, data().settings.model)); });
  connect(document_, &Document::modifiedChanged, this, &mainFrm::updateCaption);
  connect(document_, &Document::changed, this, [this] { changesDiscarded_ = false; });
  connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &mainFrm::focusWindowChanged);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] { runCommand(Command::Help); });

  // The document starts with the default selections; showing them selects the model.
  refreshFromData();
  updateCaption();
  ensurePolished();  // the fonts and the style's sizes are those the window will show
  resize(sizeOnScreen(this, sizeHint()));
}

QString mainFrm::bandLabelText() const { return panel_->bandText(); }

void mainFrm::buildMenus() {
  struct Item {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    std::function<void()> run;
  };
  const auto addMenu = [this](const char* name, const char* caption, const QList<Item>& items) {
    QMenu* menu = menuBar()->addMenu(QString());
    setTranslatedText(menu->menuAction(), metaObject()->className(), caption);
    menu->setObjectName(QString::fromLatin1(name));
    for (const Item& item : items) {
      if (!item.caption) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString());
      setTranslatedText(action, metaObject()->className(), item.caption);
      action->setObjectName(QString::fromLatin1(item.name));
      action->setShortcut(item.shortcut);
      if (item.run) connect(action, &QAction::triggered, this, item.run);
    }
    return menu;
  };
  const auto command = [this](Command c) { return [this, c] { runCommand(c); }; };

  QMenu* file = addMenu(
      "mnuFile", QT_TR_NOOP("文件(&F)"),
      {{"mnuOpen", QT_TR_NOOP("打开(&O)"), QKeySequence("Ctrl+O"), [this] { openFile(); }},
       {"mnuOpenBackup", QT_TR_NOOP("打开备份…"), {}, [this] { openBackup(); }},
       {"mnuBackupFolder", QT_TR_NOOP("打开备份文件夹"), {}, [this] { openBackupFolder(); }},
       {"mnuSave", QT_TR_NOOP("另存(&S)"), QKeySequence("Ctrl+S"), [this] { saveFile(); }},
       {nullptr, nullptr, {}, {}},
       {"mnuExportCsv", QT_TR_NOOP("导出信道表(CSV)…"), {}, [this] { exportCsv(); }},
       {"mnuImportCsv", QT_TR_NOOP("导入信道表(CSV)…"), {}, [this] { importCsv(); }},
       {nullptr, nullptr, {}, {}},
       {"mnuPreview", QT_TR_NOOP("打印(&P)"), QKeySequence("Ctrl+P"), command(Command::Print)}});
  QAction* beforeExit = file->addSeparator();
  recentFiles_ = new RecentFiles(file, beforeExit, this);
  connect(recentFiles_, &RecentFiles::openRequested, this, &mainFrm::openPath);
  QAction* exit = file->addAction(QString(), QKeySequence("Ctrl+X"), this, &QWidget::close);
  setTranslatedText(exit, metaObject()->className(), QT_TR_NOOP("退出(&X)"));
  exit->setObjectName(QStringLiteral("mnuExit"));

  QMenu* program = addMenu(
      "mnuProgram", QT_TR_NOOP("编程(&P)"),
      {{"mnuRead", QT_TR_NOOP("读频(&R)"), QKeySequence("Ctrl+R"), command(Command::Read)},
       {"mnuWrite", QT_TR_NOOP("写频(&W)"), QKeySequence("Ctrl+W"), command(Command::Write)},
       {"mnuFleetWrite", QT_TR_NOOP("批量写频…"), {}, command(Command::FleetWrite)},
       {"mnuCompare", QT_TR_NOOP("与对讲机比较"), {}, command(Command::Compare)},
       {"mnuCheckLink", QT_TR_NOOP("检测连接…"), {}, command(Command::Check)},
       {"mnuJobLog", QT_TR_NOOP("写频记录…"), {}, command(Command::JobLog)},
       {nullptr, nullptr, {}, {}}});
  // What a write does besides writing.
  const auto addCheck = [this, program](const char* name, const char* caption,
                                        WriteOption& option) {
    QAction* action = program->addAction(QString());
    setTranslatedText(action, metaObject()->className(), caption);
    action->setObjectName(QString::fromLatin1(name));
    option.bind(action);
  };
  addCheck("mnuReadFirst", QT_TR_NOOP("写频前先备份"), WriteOption::readFirst());
  addCheck("mnuVerify", QT_TR_NOOP("写频后校验"), WriteOption::verify());
  QMenu* edit = addMenu("mnuEditor", QT_TR_NOOP("编辑(&E)"),
                        {{"mnuTune", QT_TR_NOOP("调整模式(&T)"), {}, command(Command::Tune)}});
  QAction* tune = edit->actions().constFirst();
  for (QAction* action : editCommands_->menuActions()) {
    if (action)
      edit->insertAction(tune, action);
    else
      edit->insertSeparator(tune);
  }
  edit->insertSeparator(tune);
  addMenu("mnuCom", QT_TR_NOOP("端口选择(&C)"),
          {{"mnuPort", QT_TR_NOOP("选择端口(&P)"), {}, command(Command::Port)}});
  addMenu("mnuHelp", QT_TR_NOOP("帮助(&H)"),
          {{"mnuIndex", QT_TR_NOOP("帮助(&I)..."), {}, command(Command::Help)},
           {nullptr, nullptr, {}, {}},
           {"mnuAbout", QT_TR_NOOP("关于(&A)"), {}, command(Command::About)}});
}

void mainFrm::buildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("tbToolBar"));
  toolBar_ = bar;
  bar->setObjectName(QStringLiteral("tbToolBar"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setIconSize(QSize(24, 24));
  const struct {
    const char* caption;
    const char* key;
    const char* icon;
  } buttons[] = {{QT_TR_NOOP("打开"), "Open", ":/toolbar/open.png"},
                 {QT_TR_NOOP("另存"), "Save", ":/toolbar/save.png"},
                 {QT_TR_NOOP("打印"), "Print", ":/toolbar/print.png"},
                 {QT_TR_NOOP("读频"), "Read", ":/toolbar/read.png"},
                 {QT_TR_NOOP("写频"), "Write", ":/toolbar/write.png"}};
  for (const auto& b : buttons) {
    QAction* action = bar->addAction(QIcon(QString::fromLatin1(b.icon)), QString());
    setTranslatedText(action, metaObject()->className(), b.caption);
    action->setObjectName(QStringLiteral("tb%1").arg(QLatin1String(b.key)));
    action->setData(QString::fromLatin1(b.key));
    connect(action, &QAction::triggered, this, [this, action] { toolbarTriggered(action); });
  }
}

void mainFrm::toolbarTriggered(QAction* action) {
  // A button is known by its key, which stays when its caption is translated.
  const QString key = action->data().toString();
  if (key == QLatin1String("Write"))
    runCommand(Command::Write);
  else if (key == QLatin1String("Read"))
    runCommand(Command::Read);
  else if (key == QLatin1String("Open"))
    openFile();
  else if (key == QLatin1String("Save"))
    saveFile();
  else if (key == QLatin1String("Print"))
    runCommand(Command::Print);
}

void mainFrm::setCommand(Command command, std::function<void()> handler) {
  commands_.at(size_t(command)) = std::move(handler);
}

void mainFrm::runCommand(Command command) {
  const auto& handler = commands_.at(size_t(command));
  if (!handler) {
    prompts::message(this, tr("此功能暂未提供"), tr("提示"), prompts::Icon::Information);
    return;
  }
  // A read replaces the document; a write and the report send or show it as it stands.
  if (command == Command::Read && !maySaveChanges()) return;
  if ((command == Command::Write || command == Command::Print) && !grid_->checkEditedCell()) return;
  if (command == Command::Print) stopEditorTimer();
  handler();
}

void mainFrm::selectModel(int index) {
  if (index < 0 || index >= kModelCount) return;
  if (!gridResetOnModelChange_) {
    panel_->setBandText(bandTextOf(bands_, index));
    return;
  }
  // A model the user picks clears the table, so a modified one may be saved first; on
  // "取消" the list goes back to the document's model. The new model and the channels it
  // cleared are one step.
  if (!maySaveChanges()) {
    panel_->refresh();
    return;
  }
  RadioData after = data();
  after.settings.model = index;
  after.clearChannels();
  grid_->hideEditors();
  document_->change(after);
}

void mainFrm::refreshFromData() {
  gridResetOnModelChange_ = false;
  panel_->refresh();
  selectModel(data().settings.model);
  gridResetOnModelChange_ = true;
  grid_->hideEditors();
  grid_->refresh();
}

bool mainFrm::load(const QString& path, Origin origin) {
  // Read into a copy, so that a file that breaks off part way changes nothing; a model code
  // the file does not name keeps the current model.
  RadioData loaded = data();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const LoadResult result = loadChpFile(path, loaded);
  QApplication::restoreOverrideCursor();
  return takeLoad(result, loaded, origin);
}

bool mainFrm::loadReceivedText(const QByteArray& text) {
  RadioData loaded = data();
  return takeLoad(loadChpText(text, loaded), loaded, Origin::Radio);
}

bool mainFrm::takeLoad(const LoadResult& result, const RadioData& loaded, Origin origin) {
  if (result.status == LoadStatus::Failed)
    prompts::message(this,
                     origin == Origin::Radio ? notLoadableFromRadio(result.error.description)
                                             : result.error.description,
                     QString::number(result.error.number), prompts::Icon::Information);
  if (result.status != LoadStatus::Loaded) return false;
  if (origin == Origin::Recovery)
    document_->change(loaded);
  else
    document_->replace(loaded);
  refreshFromData();
  setCurrentFile(QString());
  // Signalling bytes that name no code load as another code, or none, and would be saved
  // differently: never silently.
  if (!result.unknownSignals.isEmpty())
    prompts::message(this, unknownSignalsText(result.unknownSignals), tr("提示"),
                     prompts::Icon::Information);
  return true;
}

bool mainFrm::openPath(const QString& path) { return maySaveChanges() && openChpFile(path); }

void mainFrm::openFile() {
  // Asked before the dialog, as a user expects: the choice of a file comes after the choice
  // about the changes.
  if (!maySaveChanges()) return;
  if (const QString path = prompts::openFileName(this, tr(kFilter), dialogStart(QString()));
      !path.isEmpty())
    openChpFile(path);
}

void mainFrm::openBackup() {
  // A backup is a record to look at or to write back, not a file to work on. The question
  // about the changes comes before the dialog, as for 打开.
  if (!maySaveChanges()) return;
  const QString folder = backupFolder();
  QDir().mkpath(folder);
  if (const QString path = prompts::openFileName(this, tr(kFilter), folder, tr(kOpenBackup));
      !path.isEmpty())
    loadFile(path);
}

void mainFrm::openBackupFolder() {
  const QString folder = backupFolder();
  QDir().mkpath(folder);
  if (!prompts::openUrl(QUrl::fromLocalFile(folder)))
    prompts::message(this, tr("无法打开文件夹“%1”").arg(QDir::toNativeSeparators(folder)),
                     tr("提示"), prompts::Icon::Information);
}

bool mainFrm::openChpFile(const QString& path) {
  if (!loadFile(path)) return false;
  setCurrentFile(path);
  return true;
}

bool mainFrm::saveFile() {
  if (!grid_->checkEditedCell()) return false;
  const QString path =
      prompts::saveFileName(this, tr(kFilter), dialogStart(QFileInfo(currentFile_).fileName()));
  if (path.isEmpty()) return false;
  if (const auto error = saveChpFile(path, data())) {
    prompts::message(this, error->description, tr("错误"), prompts::Icon::Critical);
    return false;
  }
  document_->markSaved();
  setCurrentFile(path);
  prompts::message(this, tr("保存成功"), QString(), prompts::Icon::None);
  return true;
}

void mainFrm::exportCsv() {
  if (!grid_->checkEditedCell()) return;
  const QString name = currentFile_.isEmpty()
                           ? QString()
                           : QFileInfo(currentFile_).completeBaseName() + QStringLiteral(".csv");
  QString form;
  const QString path = prompts::saveFileName(this, tr(kCsvExportFilter).arg(kChirpFilter),
                                             dialogStart(name), tr(kExportCsv), &form);
  if (path.isEmpty()) return;
  const bool chirp = form == kChirpFilter;
  if (const auto error = writeFileAtomically(path, chirp ? toChirpCsv(data()) : toCsv(data()))) {
    prompts::message(this, *error, tr("错误"), prompts::Icon::Critical);
    return;
  }
  rememberFolderOf(path);
  // What the form could not carry is said with the success, in the same box.
  const QStringList notes = chirp ? chirpExportNotes(data()) : QStringList();
  prompts::message(this, (QStringList{tr("导出成功")} + notes).join('\n'), QString(),
                   notes.isEmpty() ? prompts::Icon::None : prompts::Icon::Information);
}

void mainFrm::importCsv() {
  // The table is replaced whole, with the model and the settings kept: a table the current
  // model's band refuses is not loaded at all. An import edits the current document, as a
  // paste does: one step, and the current file stays.
  if (!grid_->checkEditedCell()) return;
  const QString path =
      prompts::openFileName(this, tr(kCsvFilter), dialogStart(QString()), tr(kImportCsv));
  if (path.isEmpty()) return;
  const BoundedRead input = readFileBounded(path, kMaxInputSize);
  const CsvResult csv = !input.ok()               ? CsvResult{}
                        : isChirpCsv(input.bytes) ? fromChirpCsv(input.bytes, data(), bands_)
                                                  : fromCsv(input.bytes, data(), bands_);
  const QString error = input.ok() ? csv.shownError() : input.reasonText();
  if (!error.isEmpty()) {
    prompts::message(
        this, tr("无法导入“%1”，信道表没有改变：\n%2").arg(QDir::toNativeSeparators(path), error),
        tr("错误"), prompts::Icon::Critical);
    return;
  }
  rememberFolderOf(path);
  grid_->hideEditors();
  document_->change(csv.data);
  if (!csv.notes.isEmpty())
    prompts::message(this, csv.notes.join('\n'), tr("提示"), prompts::Icon::Information);
}

QString mainFrm::dialogStart(const QString& name) const {
  QString folder =
      currentFile_.isEmpty() ? UserSettings().lastFolder() : QFileInfo(currentFile_).absolutePath();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  return name.isEmpty() ? folder : QDir(folder).filePath(name);
}

void mainFrm::setCurrentFile(const QString& path) {
  currentFile_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  if (!currentFile_.isEmpty()) {
    recentFiles_->add(currentFile_);
    rememberFolderOf(currentFile_);
  }
  updateCaption();
}

bool mainFrm::maySaveChanges() {
  if (!isModified() || changesDiscarded_) return true;
  switch (
      prompts::question(this, tr("数据已修改，是否保存？"), tr("提示"), prompts::Icon::Question)) {
    case prompts::Answer::Yes:
      return saveFile();
    case prompts::Answer::No:
      return true;
    case prompts::Answer::Cancel:
      break;
  }
  return false;
}

void mainFrm::updateCaption() {
  // The one place the caption is made.
  QString caption = tr(kCaption);
  if (!currentFile_.isEmpty())
    caption += QStringLiteral("- ") + QFileInfo(currentFile_).fileName() +
               (isModified() ? QStringLiteral(" ") + kModifiedMark : QString());
  else if (isModified())
    caption += kModifiedMark;
  setWindowTitle(caption);
}

void mainFrm::stopEditorTimer() { timer_->stop(); }

void mainFrm::activate() {
  // The band texts may have changed in another window; re-selecting the model shows the
  // current one without touching the grid.
  gridResetOnModelChange_ = false;
  selectModel(data().settings.model);
  gridResetOnModelChange_ = true;
  timer_->start();
}

void mainFrm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    retranslateActions(this);
    updateCaption();
    // The longer texts of a language need more room once every part has taken them.
    QTimer::singleShot(0, this,
                       [this] { resize(sizeOnScreen(this, size().expandedTo(sizeHint()))); });
    emit languageChanged();
  }
  QMainWindow::changeEvent(event);
}

bool mainFrm::event(QEvent* event) {
  // A menu entry's status tip (a recent file's full path) shows while the pointer rests on
  // the entry; then the status bar's own text (the port) comes back instead of an empty bar.
  if (event->type() != QEvent::StatusTip) return QMainWindow::event(event);
  const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
  if (!tip.isEmpty() && !tipShown_) textBeforeTip_ = statusBar()->currentMessage();
  if (!tip.isEmpty() || tipShown_) statusBar()->showMessage(tip.isEmpty() ? textBeforeTip_ : tip);
  tipShown_ = !tip.isEmpty();
  return true;
}

void mainFrm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  activate();
  if (!replacedBands_.isEmpty()) QTimer::singleShot(0, this, &mainFrm::reportReplacedBands);
}

void mainFrm::reportReplacedBands() {
  QString text = tr("设置文件“%1”中以下频段无效，本次运行改用 %2：")
                     .arg(QDir::toNativeSeparators(settingsPath_), fallbackBandText());
  for (const ReplacedBand& bad : replacedBands_)
    text += QStringLiteral("\n%1=%2").arg(bad.key, bad.text);
  prompts::message(this, text, tr("提示"), prompts::Icon::Warning);
}

void mainFrm::focusWindowChanged(QWindow* window) {
  // No focus window means another application is active: switching back from there is no
  // return to this window. Pop-ups (lists, menus) belong to this window.
  if (!window || window->type() == Qt::Popup || window->type() == Qt::ToolTip) return;
  if (window != windowHandle()) {
    returnPending_ = true;
    return;
  }
  if (returnPending_) {
    returnPending_ = false;
    activate();
  }
}

void mainFrm::hideEditorsWhenFocusLeft() {
  if (QApplication::activeWindow() != this) return;
  const QWidget* focus = QApplication::focusWidget();
  if (!focus) return;
  const auto* frame = qobject_cast<const QGroupBox*>(focus->parentWidget());
  if (!frame || frame->title().isEmpty()) return;
  if (frame != grid_) grid_->hideEditors();
}

void mainFrm::closeEvent(QCloseEvent* event) {
  if (!maySaveChanges()) {
    event->ignore();
    return;
  }
  timer_->stop();
  emit closing();
  event->accept();
}

}  // namespace kv
