#include "editor/gridview.h"

namespace kv {

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  emit keyboardMove();
  return QTableWidget::moveCursor(action, modifiers);
}

}  // namespace kv
