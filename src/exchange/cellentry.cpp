#include "exchange/cellentry.h"

#include <QCoreApplication>

#include "model/radiodata.h"
#include "model/radiomodel.h"
#include "model/valuetexts.h"

namespace kv {
namespace {

const QString kOff = QStringLiteral("OFF");

// Every refusal in the editor's words and in the English of the imports and the command-line
// tool, side by side so that a new refusal gets both.
struct RefusalWords {
  Refusal refusal;
  const char* editor;   // %1: the value offered; for the range, the band (English only)
  const char* english;  // %1: the model's band
};
constexpr RefusalWords kRefusalWords[] = {
    {Refusal::NotANumber, QT_TRANSLATE_NOOP("kv::CellEntry", "“%1”不是频率"),
     "is not a frequency in MHz"},
    {Refusal::OutOfRange, QT_TRANSLATE_NOOP("kv::CellEntry", "请在正确的频率范围输入"),
     "lies outside the model's band %1"},
    {Refusal::OffRaster, QT_TRANSLATE_NOOP("kv::CellEntry", "输入的频率需为6.25K或5K的整数"),
     "is not on the 6.25 kHz or 5 kHz raster"},
    {Refusal::NoBand, QT_TRANSLATE_NOOP("kv::CellEntry", "当前机型没有频段，无法检查频率"),
     "cannot be checked: the model has no band in the settings file"},
    {Refusal::NotInList, QT_TRANSLATE_NOOP("kv::CellEntry", "“%1”不在可选列表中"),
     "is not one of the editor's choices"},
};

// One of the refusal's texts with `argument` in it.
QString refusalWords(Refusal refusal, const char* RefusalWords::*text, const QString& argument) {
  for (const RefusalWords& words : kRefusalWords) {
    if (words.refusal != refusal) continue;
    // The editor's words are in the current language; the files' stay English.
    const QString filled = text == &RefusalWords::editor
                               ? QCoreApplication::translate("kv::CellEntry", words.*text)
                               : QString::fromUtf8(words.*text);
    return filled.contains(QLatin1String("%1")) ? filled.arg(argument) : filled;
  }
  return QString();  // Refusal::None
}

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
  if (const QString entry = valueNamed(trimmed, cellOptions(column)); !entry.isEmpty())
    return {entry, Refusal::None};
  return {trimmed, Refusal::NotInList};
}

QString refusalMessage(Refusal refusal, const QString& value, const QString& bandText) {
  if (refusal != Refusal::OutOfRange) return refusalWords(refusal, &RefusalWords::editor, value);
  // A band out of range is a band that can be read.
  const BandLimits band = bandLimits(bandText).value_or(BandLimits{0, 0});
  return refusalWords(refusal, &RefusalWords::editor,
                      QStringLiteral("%1–%2 MHz").arg(band.low).arg(band.high));
}

QString refusalText(Refusal refusal, const QString& bandText) {
  return refusalWords(refusal, &RefusalWords::english, bandText);
}

}  // namespace kv
