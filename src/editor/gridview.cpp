#include "editor/gridview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

namespace kv {

GridView::GridView(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
  setSelectionMode(QAbstractItemView::ContiguousSelection);
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  emit keyboardMove();
  return QTableWidget::moveCursor(action, modifiers);
}

QRect GridView::selectedCells() const {
  QRect cells;
  for (const QModelIndex& index : selectedIndexes())
    if (index.row() >= 1 && index.column() >= 1) cells |= QRect(index.column(), index.row(), 1, 1);
  if (cells.isEmpty() && currentRow() >= 1 && currentColumn() >= 1)
    cells = QRect(currentColumn(), currentRow(), 1, 1);
  return cells;
}

void GridView::selectCells(const QRect& cells) {
  clearSelection();
  setRangeSelected(
      QTableWidgetSelectionRange(cells.top(), cells.left(), cells.bottom(), cells.right()), true);
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_F2:
        emit editRequested(nullptr);
        return;
      default:
        if (event->text().size() == 1 && event->text().front().isDigit()) {
          emit editRequested(event);
          return;
        }
    }
  }
  QTableWidget::keyPressEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event) {
  anchor_.reset();
  dragged_ = false;
  const QTableWidgetItem* pressed = itemAt(event->position().toPoint());
  const bool left = event->button() == Qt::LeftButton;
  if (left && pressed && (pressed->row() == 0 || pressed->column() == 0)) {
    anchor_ = QPoint(pressed->column(), pressed->row());
    selectFromAnchor(pressed->row(), pressed->column());
    emit cellLeftPressed(pressed->row(), pressed->column());
    return;
  }
  QTableWidget::mousePressEvent(event);
  if (!pressed) return;
  if (!left || event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
    emit selecting();
    return;
  }
  anchor_ = QPoint(pressed->column(), pressed->row());
  emit cellLeftPressed(pressed->row(), pressed->column());
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  // Dragging selects and leaves the current cell where the button went down: moving it would
  // carry it away from the editor opened over the pressed cell.
  if (event->buttons() == Qt::NoButton) {
    QTableWidget::mouseMoveEvent(event);
    return;
  }
  const QTableWidgetItem* under = itemAt(event->position().toPoint());
  if (!anchor_ || !(event->buttons() & Qt::LeftButton) || !under) return;
  if (!dragged_ && QPoint(under->column(), under->row()) == *anchor_) return;
  dragged_ = true;
  selectFromAnchor(under->row(), under->column());
  emit selecting();
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  anchor_.reset();
  QTableWidget::mouseReleaseEvent(event);
}

void GridView::selectFromAnchor(int row, int column) {
  const int lastRow = rowCount() - 1;
  const int lastColumn = columnCount() - 1;
  const auto span = [](int anchor, int to, int last) {
    return anchor == 0 ? std::pair{1, last}
                       : std::pair{std::max(1, std::min(anchor, to)), std::max(anchor, to)};
  };
  const auto [top, bottom] = span(anchor_->y(), row, lastRow);
  const auto [left, right] = span(anchor_->x(), column, lastColumn);
  selectCells(QRect(QPoint(left, top), QPoint(right, bottom)));
}

}  // namespace kv
