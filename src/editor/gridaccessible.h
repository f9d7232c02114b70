#pragma once

#include <QAccessible>

class QTableWidget;

namespace kv {

// How a screen reader sees the channel table. The grid keeps its headings in row 0 and the
// channel numbers in column 0, where the rest of the program reads and writes them; to a
// screen reader they are the table's column and row headers, and the table is the data cells
// alone. A cell's name is the text it shows (an empty cell has an empty name); a header's is
// its item's Qt::AccessibleTextRole, else its text.
//
// The table's children are numbered as the grid's items: row × the grid's column count +
// column; gridChild() gives that number for events about a cell.
void installGridAccessibility();
int gridChild(const QTableWidget* grid, int row, int column);

}  // namespace kv
