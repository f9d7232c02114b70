// Text pasted into the channel grid, on any bytes: the first two bytes pick the selection's
// corner, the rest is the clipboard text.
#include <QRect>

#include "editor/cellvalues.h"
#include "fuzzsupport.h"
#include "image/memoryimage.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const QRect selection(QPoint(1 + data[0] % 7, 1 + data[1] % 16), QSize(1, 1));
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
  const auto values = valuesFromText(text, selection);
  if (!values) return 0;
  const QString band = kvfuzz::defaultBands()[0];
  const RadioData before;
  const EnteredValues entered = enterCellValues(before, *values, band);
  if (!entered.refusal.isEmpty()) {
    kvfuzz::require(entered.data == before, "a refused paste changes nothing");
    return 0;
  }
  // Whatever a paste accepts can be written to a radio or a file, and copying the cells it
  // filled and pasting them again changes nothing.
  kvfuzz::require(encodeImage(entered.data).ok(), "a pasted table encodes");
  QRect filled;
  for (const CellValue& v : *values) filled |= QRect(v.column, v.row, 1, 1);
  const auto again = valuesFromText(cellsAsText(entered.data, filled), filled);
  kvfuzz::require(again.has_value(), "copied cells paste back");
  const EnteredValues twice = enterCellValues(entered.data, *again, band);
  kvfuzz::require(twice.refusal.isEmpty() && twice.data == entered.data,
                  "copying and pasting the pasted cells changes nothing");
  return 0;
}
