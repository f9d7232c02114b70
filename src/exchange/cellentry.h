#pragma once

#include <QString>

namespace kv {

// Why a value cannot become a channel cell's text.
enum class Refusal { None, NotANumber, OutOfRange, OffRaster, NoBand, NotInList };

// What a value offered for a channel cell becomes. Typing, pasting and the JSON and CSV
// imports all go through enterCellValue, so every way in accepts and refuses the same values.
struct CellEntry {
  QString text;  // the cell's text: a frequency as "000.00000", a list text as the list spells it
  Refusal refusal = Refusal::None;
  bool ok() const { return refusal == Refusal::None; }
};

// `column` is a grid column 1..7; `bandText` the model's band, which a frequency must lie in,
// on the 6.25 kHz or 5 kHz raster. An empty value, or "OFF", is an unprogrammed cell in every
// column; other list values are matched by themselves or their English texts ("No" for "否"),
// without regard to letter case.
CellEntry enterCellValue(int column, const QString& value, const QString& bandText);

// Why a value offered to a cell was refused, as the editor says it: for a frequency the
// message typing it shows ("请在正确的频率范围输入"), for a list value that it is not among the
// choices. `value` is what was offered; the English range message names the model's band
// `bandText` ("within 400–470 MHz"), the Chinese one does not.
QString refusalMessage(Refusal refusal, const QString& value, const QString& bandText);

// The refusal in the words of the files' field names, for the imports and the command-line tool.
QString refusalText(Refusal refusal, const QString& bandText);

}  // namespace kv
