#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

#include "exchange/cellentry.h"
#include "model/radiodata.h"

namespace kv {

// Fills the empty cells of a row whose receive frequency was just entered: the transmit
// frequency starts equal to it, then no signalling, "否", "宽", "高". Cells that hold something
// keep it.
void fillRowDefaults(RadioData& data, int row);

// A value offered to the cell of channel `row`, grid column `column`.
struct CellValue {
  int row;
  int column;
  QString text;
};

// The document with every value entered as if it had been typed or picked: frequencies in the
// cells' form and within the band, list values as their list spells them, a row whose receive
// frequency was entered filled with its defaults; an empty value leaves the cell empty. When
// any value is refused, `refusal` names the first refused cell and why, and `data` is the
// document as it was.
struct EnteredValues {
  RadioData data;
  QString refusal;
};
EnteredValues enterCellValues(const RadioData& data, const QList<CellValue>& values,
                              const QString& bandText);

// Cells are rectangles of grid coordinates: x the column 1..7, y the channel 1..16.

// The texts of `cells` as spreadsheets copy them: a line per row (each ended when there are
// several), the cells separated by tabs.
QString cellsAsText(const RadioData& data, const QRect& cells);

// The values of tab-separated lines (what `cellsAsText` or a spreadsheet copies), the first at
// the top left of `selection`; a single value goes into every selected cell. Nothing when the
// lines reach beyond the table.
std::optional<QList<CellValue>> valuesFromText(const QString& text, const QRect& selection);

}  // namespace kv
