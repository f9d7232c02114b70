#include "editor/gridaccessible.h"

#include <QAccessibleObject>
#include <QHash>
#include <QPointer>
#include <QTableWidget>
#include <QWindow>

namespace kv {
namespace {

// One item of the grid: a data cell, a heading (row 0), a channel number (column 0) or the
// corner above the numbers.
class GridItem : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  GridItem(QTableWidget* grid, int row, int column) : grid_(grid), row_(row), column_(column) {}

  bool isValid() const override { return grid_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(grid_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text t) const override {
    const QTableWidgetItem* item = grid_ ? grid_->item(row_, column_) : nullptr;
    if (t != QAccessible::Name || !item) return QString();
    const QString spoken = item->data(Qt::AccessibleTextRole).toString();
    return spoken.isEmpty() ? item->text() : spoken;
  }

  QRect rect() const override {
    if (!grid_ || !grid_->isVisible()) return QRect();
    const QRect cell = grid_->visualItemRect(grid_->item(row_, column_));
    return cell.translated(grid_->viewport()->mapToGlobal(QPoint(0, 0)));
  }

  QAccessible::Role role() const override {
    if (row_ == 0) return column_ == 0 ? QAccessible::StaticText : QAccessible::ColumnHeader;
    return column_ == 0 ? QAccessible::RowHeader : QAccessible::Cell;
  }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!grid_ || !grid_->isVisible()) {
      state.invisible = true;
      return state;
    }
    if (role() != QAccessible::Cell) return state;
    state.focusable = true;
    state.selectable = true;
    state.selected = grid_->item(row_, column_)->isSelected();
    state.focused = grid_->currentRow() == row_ && grid_->currentColumn() == column_;
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface && role() == QAccessible::Cell
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  // The table's coordinates: without the heading row and the number column.
  bool isSelected() const override { return grid_ && grid_->item(row_, column_)->isSelected(); }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {header(0, column_)}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {header(row_, 0)}; }
  int columnIndex() const override { return column_ - 1; }
  int rowIndex() const override { return row_ - 1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QAccessibleInterface* header(int row, int column) const {
    return parent()->child(gridChild(grid_, row, column));
  }

  QPointer<QTableWidget> grid_;
  int row_;
  int column_;
};

class GridTable : public QAccessibleObject, public QAccessibleTableInterface {
 public:
  explicit GridTable(QTableWidget* grid) : QAccessibleObject(grid) {}
  ~GridTable() override {
    for (const QAccessible::Id id : std::as_const(children_))
      QAccessible::deleteAccessibleInterface(id);
  }

  QTableWidget* grid() const { return static_cast<QTableWidget*>(object()); }

  QWindow* window() const override { return grid()->window()->windowHandle(); }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(grid()->parentWidget());
  }
  int childCount() const override { return grid()->rowCount() * grid()->columnCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (const auto id = children_.constFind(index); id != children_.constEnd())
      return QAccessible::accessibleInterface(*id);
    auto* item = new GridItem(grid(), index / grid()->columnCount(), index % grid()->columnCount());
    children_.insert(index, QAccessible::registerAccessibleInterface(item));
    return item;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return children_.key(QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child)), -1);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QTableWidgetItem* item = grid()->itemAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    return item ? child(gridChild(grid(), item->row(), item->column())) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return grid()->currentRow() < 1 ? nullptr
                                    : cellAt(grid()->currentRow() - 1, grid()->currentColumn() - 1);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return grid()->accessibleName();
    if (t == QAccessible::Description) return grid()->accessibleDescription();
    return QString();
  }
  QRect rect() const override {
    if (!grid()->isVisible()) return QRect();
    return QRect(grid()->mapToGlobal(QPoint(0, 0)), grid()->size());
  }
  QAccessible::Role role() const override { return QAccessible::Table; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.invisible = !grid()->isVisible();
    state.focusable = grid()->focusPolicy() != Qt::NoFocus;
    state.focused = grid()->hasFocus();
    state.disabled = !grid()->isEnabled();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                               : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
    return child(gridChild(grid(), row + 1, column + 1));
  }
  int columnCount() const override { return grid()->columnCount() - 1; }
  int rowCount() const override { return grid()->rowCount() - 1; }
  QString columnDescription(int column) const override { return headerText(0, column + 1); }
  QString rowDescription(int row) const override { return headerText(row + 1, 0); }

  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    for (const QTableWidgetItem* item : grid()->selectedItems())
      if (item->row() > 0 && item->column() > 0)
        cells << child(gridChild(grid(), item->row(), item->column()));
    return cells;
  }
  int selectedCellCount() const override { return int(selectedCells().size()); }
  // A row or a column counts as selected when all its data cells are.
  bool isRowSelected(int row) const override {
    for (int c = 1; c <= columnCount(); ++c)
      if (!grid()->item(row + 1, c)->isSelected()) return false;
    return true;
  }
  bool isColumnSelected(int column) const override {
    for (int r = 1; r <= rowCount(); ++r)
      if (!grid()->item(r, column + 1)->isSelected()) return false;
    return true;
  }
  QList<int> selectedRows() const override {
    QList<int> rows;
    for (int r = 0; r < rowCount(); ++r)
      if (isRowSelected(r)) rows << r;
    return rows;
  }
  QList<int> selectedColumns() const override {
    QList<int> columns;
    for (int c = 0; c < columnCount(); ++c)
      if (isColumnSelected(c)) columns << c;
    return columns;
  }
  int selectedRowCount() const override { return int(selectedRows().size()); }
  int selectedColumnCount() const override { return int(selectedColumns().size()); }
  // The selection is changed by the keyboard and the mouse only.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  // The grid's rows and columns never change.
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  QString headerText(int row, int column) const {
    QAccessibleInterface* header = child(gridChild(grid(), row, column));
    return header ? header->text(QAccessible::Name) : QString();
  }

  mutable QHash<int, QAccessible::Id> children_;
};

QAccessibleInterface* gridFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("kv::GridView") || !object || !object->isWidgetType())
    return nullptr;
  return new GridTable(static_cast<QTableWidget*>(object));
}

}  // namespace

void installGridAccessibility() {
  static const bool installed = (QAccessible::installFactory(gridFactory), true);
  Q_UNUSED(installed);
}

int gridChild(const QTableWidget* grid, int row, int column) {
  return row * grid->columnCount() + column;
}

}  // namespace kv
