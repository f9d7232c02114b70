#pragma once

#include <QAccessible>
#include <QRect>
#include <QTableWidget>
#include <optional>

class QKeyEvent;

namespace kv {

// The channel table's view. The grid is never typed into: letters do not jump between
// cells, and a move made with the keyboard is announced before it happens so that an
// editor lying over the old cell can be put away. A cell's editor opens when the left
// button goes down on it: the cell that is left may show a message while the button is
// down, and the release then never reaches the grid.
//
// Cells are selected as one rectangle: by dragging from a cell (the pressed cell stays the
// current one), by Shift with a click or the arrows, by the channel numbers (rows), the
// headings (columns) or the corner (the whole table).
//
// Tab and Shift+Tab move between cells and leave the grid past its last or before its first
// cell; Ctrl+Tab and Ctrl+Shift+Tab leave it from any cell. A screen reader sees the grid as
// gridaccessible.h describes; the events about a cell are sent here in its numbering.
class GridView : public QTableWidget {
  Q_OBJECT
 public:
  GridView(int rows, int columns, QWidget* parent = nullptr);

  void keyboardSearch(const QString&) override {}

  // The selected data cells (x the column, y the row); the current cell when none is.
  QRect selectedCells() const;
  void selectCells(const QRect& cells);

 signals:
  void keyboardMove();
  // The left button went down on a cell; one of the data cells is then the current one.
  void cellLeftPressed(int row, int column);
  // Cells are being selected with the mouse: an open editor is put away.
  void selecting();
  // Enter or F2 (`typed` null), or a digit typed on the current cell.
  void editRequested(QKeyEvent* typed);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Selects from the pressed cell to `row`, `column`: a channel number stands for its row,
  // a heading for its column.
  void selectFromAnchor(int row, int column);
  // Tells a screen reader about the cell at `index`.
  void notifyAccessibility(QAccessible::Event type, const QModelIndex& index);

  std::optional<QPoint> anchor_;  // where the left button went down (x column, y row)
  bool dragged_ = false;          // the button has left the pressed cell since
};

}  // namespace kv
