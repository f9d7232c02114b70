#include "editor/gridview.h"

#include <QMouseEvent>

namespace kv {

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  emit keyboardMove();
  return QTableWidget::moveCursor(action, modifiers);
}

void GridView::mousePressEvent(QMouseEvent* event) {
  QTableWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  if (const QTableWidgetItem* pressed = itemAt(event->position().toPoint()))
    emit cellLeftPressed(pressed->row(), pressed->column());
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  // Dragging would carry the current cell away from the editor just opened over the pressed
  // one, and what is typed there would land in another cell.
  if (event->buttons() == Qt::NoButton) QTableWidget::mouseMoveEvent(event);
}

}  // namespace kv
