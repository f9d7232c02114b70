#pragma once

#include <QMainWindow>
#include <array>
#include <functional>

#include "editor/document.h"
#include "model/radiomodel.h"

class QAction;
class QTimer;
class QToolBar;
class QWindow;

namespace kv {

class ChannelGrid;
struct LoadResult;
class EditCommands;
class FunctionPanel;
class RecentFiles;

// The program's document window and the hub of every command. It owns the one document and
// the eight band texts; the grid, the lists and the in-cell editors show and edit them.
class mainFrm : public QMainWindow {
  Q_OBJECT
 public:
  // Reads the band texts from the settings file "Sfc.ini".
  explicit mainFrm(QWidget* parent = nullptr);

  // The document; every change of it is a step through document().change().
  const RadioData& data() const { return document_->data(); }
  Document& document() { return *document_; }
  Bands& bands() { return bands_; }
  QString bandLabelText() const;

  // Re-shows the grid and the lists after the document was changed from outside.
  void refreshFromData();

  // Whether the user changed the document since it was last saved, opened or read.
  bool isModified() const { return document_->isModified(); }
  // The ".chp" file last opened or saved, which the save dialog starts on; empty after a read,
  // so that a save never lands on the scratch file by accident.
  QString currentFile() const { return currentFile_; }
  // Asked before anything replaces or discards a modified document whose changes were not
  // given up: "是" saves through the save command and goes on only when the file was saved,
  // "否" goes on, "取消" stays.
  // True when the caller may go on.
  bool maySaveChanges();
  // Opens a ".chp" file the user named (by a dialog, the command line, a drop or the recent
  // files): asks about unsaved changes first, then loads as loadFile does; the file becomes
  // the current one and the first of the recent files. True when loaded.
  bool openPath(const QString& path);
  // Opens a backup as 文件's "打开备份…" does: asks about unsaved changes first, then loads it
  // as loadFile does, so that it becomes neither the current file nor a recent one and a save
  // never lands on it. True when loaded.
  bool openBackupFile(const QString& path) { return maySaveChanges() && loadFile(path); }
  // Loads a ".chp" file without asking: the window's document is replaced only when the
  // whole file was read, with a new history and no current file; a failed load is reported
  // and leaves the window as it was. True when loaded. Files the user names go to openPath.
  bool loadFile(const QString& path) { return load(path, Origin::File); }
  // The same for what a read brought: its scratch file, or the text of its lines where that
  // file could not be saved. A failed load says that the radio holds nothing loadable.
  bool loadReceived(const QString& path) { return load(path, Origin::Radio); }
  bool loadReceivedText(const QByteArray& text);
  // Loads a recovery copy of unsaved edits as loadFile does, but as a change to be saved: one
  // step, no current file.
  bool recoverFile(const QString& path) { return load(path, Origin::Recovery); }
  // The user gave up the changes (asked as the desktop session ends): closing goes on without
  // the question, until the next change.
  void discardChanges() { changesDiscarded_ = true; }
  void stopEditorTimer();

  // Commands whose windows live in other layers. Until a handler is installed the command
  // tells the user that it is not available.
  enum class Command {
    Read,
    Write,
    Port,
    Tune,
    Print,
    Help,
    About,
    FleetWrite,
    Compare,
    Check,
    JobLog
  };
  void setCommand(Command command, std::function<void()> handler);

  // Values derived from the document, as the decimal texts the radio bytes are built from.
  QString modelCode() const { return kv::modelCode(document_->data().settings.model); }
  QString modelByte() const { return kv::modelByte(document_->data().settings.model); }
  QString functionFlags() const { return kv::functionFlags(document_->data()); }
  QString voiceByte() const { return kv::voiceByte(document_->data()); }

  ChannelGrid* channelGrid() const { return grid_; }
  FunctionPanel* functionPanel() const { return panel_; }
  QTimer* editorTimer() const { return timer_; }

  // The editor timer's tick: puts the grid's editors away once the focus has left the
  // channel frame for another frame of this window.
  void hideEditorsWhenFocusLeft();

 signals:
  // The window is closing; the program ends with it.
  void closing();
  // The program's language changed; what others put in the window is theirs to say again.
  void languageChanged();

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildToolBar();
  void selectModel(int index);
  void activate();
  void focusWindowChanged(QWindow* window);
  void runCommand(Command command);
  void toolbarTriggered(QAction* action);
  void openFile();
  // 文件's "打开备份…": a file from the backups folder, loaded by openBackupFile.
  void openBackup();
  // 文件's "打开备份文件夹": the backups folder in the desktop's file manager.
  void openBackupFolder();
  // Where a load comes from: a recovery copy loads as one step, the others as a new history;
  // a radio's data that does not load is reported as the radio's.
  enum class Origin { File, Radio, Recovery };
  bool load(const QString& path, Origin origin);
  // Loads a file the user named and makes it the current file.
  bool openChpFile(const QString& path);
  // The save command; true when the file was written.
  bool saveFile();
  void exportCsv();
  void importCsv();
  // Where a file dialog starts: `name` in the current file's folder, or the folder used last.
  QString dialogStart(const QString& name) const;
  // Makes `path` the current file (none when empty) and the first of the recent files.
  void setCurrentFile(const QString& path);
  void updateCaption();
  // Takes what a load gave into the window, or reports why not.
  bool takeLoad(const LoadResult& result, const RadioData& loaded, Origin origin);

  // Shows, once the window is up, which stored bands were unusable and replaced for the run.
  void reportReplacedBands();

  Document* document_;
  QString settingsPath_;
  Bands bands_;
  QList<ReplacedBand> replacedBands_;
  // The grid first: the order of Tab is the order the controls are made in, left to right.
  ChannelGrid* grid_;
  FunctionPanel* panel_;
  EditCommands* editCommands_;
  QToolBar* toolBar_ = nullptr;
  RecentFiles* recentFiles_ = nullptr;
  QTimer* timer_;
  std::array<std::function<void()>, size_t(Command::JobLog) + 1> commands_;  // one per command
  QString currentFile_;
  QString textBeforeTip_;  // the status bar's text while a menu entry's status tip shows
  bool tipShown_ = false;
  bool gridResetOnModelChange_ = false;
  bool shown_ = false;
  bool changesDiscarded_ = false;
  // Another window of this program was active since the main window last was, so the next
  // activation of the main window is a return to it.
  bool returnPending_ = false;
};

}  // namespace kv
