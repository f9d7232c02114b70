#pragma once

#include <QTableWidget>

namespace kv {

// The channel table's view. The grid is never typed into: letters do not jump between
// cells, and a move made with the keyboard is announced before it happens so that an
// editor lying over the old cell can be put away.
class GridView : public QTableWidget {
  Q_OBJECT
 public:
  using QTableWidget::QTableWidget;

  void keyboardSearch(const QString&) override {}

 signals:
  void keyboardMove();

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

}  // namespace kv
