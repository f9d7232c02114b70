#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QPoint;

namespace kv {

class ChannelGrid;
class Document;
struct CellValue;

// The commands that change the channel table as a whole: 撤销 and 重做, the clipboard,
// 清除信道 and 向下填充, in the 编辑 menu and the grid's context menu. Each first checks a
// frequency still being typed, as every command that uses the table does; each change is one
// step of the document's history. The clipboard and channel commands act while the channel
// frame has the focus, so that Delete or Ctrl+C in another frame keeps its own meaning;
// Ctrl+X stays 退出, so 剪切 is only in the context menu.
class EditCommands : public QObject {
  Q_OBJECT
 public:
  // `bandText` gives the current model's band, which pasted frequencies must lie in.
  EditCommands(Document& document, ChannelGrid& grid, std::function<QString()> bandText,
               QObject* parent = nullptr);

  // The entries of the 编辑 menu in order; nullptr stands for a separator.
  QList<QAction*> menuActions() const;

 private:
  QAction* addAction(const char* name, const char* caption, const QList<QKeySequence>& keys,
                     void (EditCommands::*run)());
  void showContextMenu(const QPoint& pos);
  // A command may go on: a frequency still being typed was accepted, the editors are away.
  bool prepare();
  // Enters the values as one step; a refused value is named in a message and changes nothing.
  bool enter(const QList<CellValue>& values);

  void undo();
  void redo();
  void cut();
  void copy();
  void paste();
  void clearChannels();
  void fillDown();

  Document& document_;
  ChannelGrid& grid_;
  std::function<QString()> bandText_;
  QAction* undo_;
  QAction* redo_;
  QAction* cut_;
  QAction* copy_;
  QAction* paste_;
  QAction* clear_;
  QAction* fill_;
};

}  // namespace kv
