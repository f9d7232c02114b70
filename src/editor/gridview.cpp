#include "editor/gridview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "editor/gridaccessible.h"

namespace kv {
namespace {

// The style draws the current cell's focus frame in the selection's colour, unseen on the
// selected cell it usually is. This one is drawn in the cell's text colour, which every
// palette sets apart from the cell, once the keyboard has moved the focus (as the style's).
class FocusFrameDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (!(option.state & QStyle::State_HasFocus) ||
        !(option.state & QStyle::State_KeyboardFocusChange))
      return;
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(
        QPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 2));
    painter->drawRect(QRectF(option.rect).adjusted(1.5, 1.5, -1.5, -1.5));
    painter->restore();
  }
};

}  // namespace

GridView::GridView(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setItemDelegate(new FocusFrameDelegate(this));
  installGridAccessibility();
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
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    // The context menu key's other form, over the current cell.
    emit customContextMenuRequested(visualRect(currentIndex()).center());
    return;
  }
  if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
    // A keyboard user is never kept in the grid: the cell after the last one, before the
    // first one, or Ctrl with Tab is the next control of the window.
    const bool back = event->key() == Qt::Key_Backtab || event->modifiers() & Qt::ShiftModifier;
    const bool atEnd = back
                           ? currentRow() <= 1 && currentColumn() <= 1
                           : currentRow() == rowCount() - 1 && currentColumn() == columnCount() - 1;
    if (atEnd || event->modifiers() & Qt::ControlModifier) {
      QWidget::focusNextPrevChild(!back);  // the view's own would move to a cell
      return;
    }
  }
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

void GridView::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  // The focus event of the grid itself is sent after this; the cell's comes after it.
  QTimer::singleShot(0, this, [this] {
    if (hasFocus()) notifyAccessibility(QAccessible::Focus, currentIndex());
  });
}

// QTableView's own events number a cell as its own table interface would; these number it
// as the grid's.
void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (hasFocus()) notifyAccessibility(QAccessible::Focus, current);
  QAbstractItemView::currentChanged(current, previous);
}

void GridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  notifyAccessibility(QAccessible::SelectionAdd, selected.indexes().value(0));
  notifyAccessibility(QAccessible::SelectionRemove, deselected.indexes().value(0));
  QAbstractItemView::selectionChanged(selected, deselected);
}

void GridView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles) {
  QTableWidget::dataChanged(topLeft, bottomRight, roles);
  // The value of the cell a screen reader is on is read again when it changes.
  const QModelIndex current = currentIndex();
  if (QItemSelectionRange(topLeft, bottomRight).contains(current))
    notifyAccessibility(QAccessible::NameChanged, current);
}

void GridView::notifyAccessibility(QAccessible::Event type, const QModelIndex& index) {
  if (!QAccessible::isActive() || !index.isValid()) return;
  QAccessibleEvent event(this, type);
  event.setChild(gridChild(this, index.row(), index.column()));
  QAccessible::updateAccessibility(&event);
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
