#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace kv {

// The recent-file entries of the 文件 menu, `mnuFileMRU0` to `mnuFileMRU3` below the
// separator `mnuNULL`: the channel files last opened or saved, as the user's settings keep
// them, shown as "&1 name.chp" (a long name shortened in the middle) with the full path in the
// status tip. Only the entries that name a file are shown.
class RecentFiles : public QObject {
  Q_OBJECT
 public:
  // Inserts the separator and the entries into `menu` before `before`.
  RecentFiles(QMenu* menu, QAction* before, QWidget* window);

  // Puts `path` first.
  void add(const QString& path);
  // Shows the list as the user's settings hold it now (another window may have changed it).
  void update();

 signals:
  // An entry was picked whose file exists.
  void openRequested(const QString& path);

 private:
  // A file that has gone is offered for removal from the list.
  void picked(const QAction* entry);

  QWidget* window_;
  QMenu* menu_;
  QAction* separator_;
  std::array<QAction*, 4> entries_;
};

}  // namespace kv
