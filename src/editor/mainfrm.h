#pragma once

#include <QMainWindow>
#include <array>
#include <functional>

#include "model/radiodata.h"
#include "model/radiomodel.h"

class QAction;
class QTimer;
class QWindow;

namespace kv {

class ChannelGrid;
class FunctionPanel;

// The program's document window and the hub of every command. It owns the one document and
// the eight band texts; the grid, the lists and the in-cell editors show and edit them.
class mainFrm : public QMainWindow {
  Q_OBJECT
 public:
  // Reads the band texts from the settings file "Sfc.ini".
  explicit mainFrm(QWidget* parent = nullptr);

  RadioData& data() { return data_; }
  Bands& bands() { return bands_; }
  QString bandLabelText() const;

  // Re-shows the grid and the lists after the document was changed from outside.
  void refreshFromData();

  // Whether the user changed the document since it was last saved, opened or read.
  bool isModified() const { return modified_; }
  // Asked before anything replaces or discards a modified document: "是" saves through the
  // save command and goes on only when the file was saved, "否" goes on, "取消" stays.
  // True when the caller may go on.
  bool maySaveChanges();
  // Opens a ".chp" file the user named (by a dialog, the command line, a drop or a list of
  // files): asks about unsaved changes first, then loads as loadFile does. True when loaded.
  bool openPath(const QString& path);
  // Loads a ".chp" file without asking: the window's document is replaced only when the
  // whole file was read; a failed load is reported and leaves the window as it was. True
  // when loaded. Used for the read's scratch file; files the user names go to openPath.
  bool loadFile(const QString& path);
  void stopEditorTimer();

  // Commands whose windows live in other layers. Until a handler is installed the command
  // tells the user that it is not available.
  enum class Command { Read, Write, Port, Tune, Print, Help, About };
  void setCommand(Command command, std::function<void()> handler);

  // Values derived from the document, as the decimal texts the radio bytes are built from.
  QString modelCode() const { return kv::modelCode(data_.settings.model); }
  QString modelByte() const { return kv::modelByte(data_.settings.model); }
  QString functionFlags() const { return kv::functionFlags(data_); }
  QString voiceByte() const { return kv::voiceByte(data_); }

  ChannelGrid* channelGrid() const { return grid_; }
  FunctionPanel* functionPanel() const { return panel_; }
  QTimer* editorTimer() const { return timer_; }

  // The editor timer's tick: puts the grid's editors away once the focus has left the
  // channel frame for another frame of this window.
  void hideEditorsWhenFocusLeft();

 signals:
  // The window is closing; the program ends with it.
  void closing();

 protected:
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
  // The save command; true when the file was written.
  bool saveFile();
  void setModified(bool modified);

  // Shows, once the window is up, which stored bands were unusable and replaced for the run.
  void reportReplacedBands();

  RadioData data_;
  QString settingsPath_;
  Bands bands_;
  QList<ReplacedBand> replacedBands_;
  FunctionPanel* panel_;
  ChannelGrid* grid_;
  QTimer* timer_;
  std::array<std::function<void()>, 7> commands_;
  bool gridResetOnModelChange_ = false;
  bool modified_ = false;
  bool shown_ = false;
  // Another window of this program was active since the main window last was, so the next
  // activation of the main window is a return to it.
  bool returnPending_ = false;
};

}  // namespace kv
