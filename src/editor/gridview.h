#pragma once

#include <QTableWidget>

namespace kv {

// The channel table's view. The grid is never typed into: letters do not jump between
// cells, and a move made with the keyboard is announced before it happens so that an
// editor lying over the old cell can be put away. A cell's editor opens when the left
// button goes down on it: the cell that is left may show a message while the button is
// down, and the release then never reaches the grid.
class GridView : public QTableWidget {
  Q_OBJECT
 public:
  using QTableWidget::QTableWidget;

  void keyboardSearch(const QString&) override {}

 signals:
  void keyboardMove();
  // The left button went down on a cell; one of the data cells is then the current one.
  void cellLeftPressed(int row, int column);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace kv
