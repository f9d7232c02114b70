#include "exchange/cellentry.h"

#include "model/radiodata.h"
#include "model/radiomodel.h"

namespace kv {
namespace {

const QString kOff = QStringLiteral("OFF");

CellEntry frequencyEntry(const QString& value, const QString& bandText) {
  if (!isFrequencyNumber(value)) return {value, Refusal::NotANumber};
  const QString text = formatFrequency(value, 3);
  switch (checkFrequency(text, bandText)) {
    case FrequencyCheck::Accepted:
      return {text, Refusal::None};
    case FrequencyCheck::OutOfRange:
      return {text, Refusal::OutOfRange};
    case FrequencyCheck::OffRaster:
      return {text, Refusal::OffRaster};
    case FrequencyCheck::Unreadable:
      break;
  }
  return {text, Refusal::NoBand};  // the value is a number, so the band is what cannot be read
}

}  // namespace

CellEntry enterCellValue(int column, const QString& value, const QString& bandText) {
  const QString trimmed = value.trimmed();
  if (trimmed.isEmpty()) return {QString(), Refusal::None};
  if (trimmed.compare(kOff, Qt::CaseInsensitive) == 0) return {kOff, Refusal::None};
  if (column == kRxFreq || column == kTxFreq) return frequencyEntry(trimmed, bandText);
  for (const QString& entry : cellOptions(column))
    if (entry.compare(trimmed, Qt::CaseInsensitive) == 0) return {entry, Refusal::None};
  return {trimmed, Refusal::NotInList};
}

QString refusalText(Refusal refusal, const QString& bandText) {
  switch (refusal) {
    case Refusal::None:
      break;
    case Refusal::NotANumber:
      return QStringLiteral("is not a frequency in MHz");
    case Refusal::OutOfRange:
      return QStringLiteral("lies outside the model's band %1").arg(bandText);
    case Refusal::OffRaster:
      return QStringLiteral("is not on the 6.25 kHz or 5 kHz raster");
    case Refusal::NoBand:
      return QStringLiteral("cannot be checked: the model has no band in the settings file");
    case Refusal::NotInList:
      return QStringLiteral("is not one of the editor's choices");
  }
  return QString();
}

}  // namespace kv
