#include "editor/cellvalues.h"

#include <QCoreApplication>
#include <QStringList>

#include "model/radiomodel.h"
#include "model/signalcodes.h"
#include "model/valuetexts.h"

namespace kv {

void fillRowDefaults(RadioData& data, int row) {
  const QString noSignal = signalPickList().first();
  const QString defaults[] = {
      data.cell(row, kRxFreq), noSignal, noSignal, QStringLiteral("否"), QStringLiteral("宽"),
      QStringLiteral("高")};
  for (int c = kTxFreq; c <= kTxPower; ++c)
    if (data.cell(row, c).isEmpty()) data.cell(row, c) = defaults[c - kTxFreq];
}

EnteredValues enterCellValues(const RadioData& data, const QList<CellValue>& values,
                              const QString& bandText) {
  EnteredValues entered{data, QString()};
  QList<int> frequencyRows;
  for (const CellValue& value : values) {
    const CellEntry entry = enterCellValue(value.column, value.text, bandText);
    if (!entry.ok()) {
      entered.refusal = QCoreApplication::translate("kv::CellValues", "信道%1 %2：%3")
                            .arg(value.row)
                            .arg(columnCaption(value.column),
                                 refusalMessage(entry.refusal, value.text.trimmed(), bandText));
      entered.data = data;
      return entered;
    }
    entered.data.cell(value.row, value.column) = entry.text;
    if (value.column == kRxFreq && isFrequencyNumber(entry.text)) frequencyRows << value.row;
  }
  for (int row : frequencyRows) fillRowDefaults(entered.data, row);
  return entered;
}

QString cellsAsText(const RadioData& data, const QRect& cells) {
  QStringList lines;
  for (int row = cells.top(); row <= cells.bottom(); ++row) {
    QStringList fields;
    for (int column = cells.left(); column <= cells.right(); ++column)
      fields << data.cell(row, column);
    lines << fields.join(QLatin1Char('\t'));
  }
  // Rows end with a line end, as spreadsheets copy them, so that an empty last row stays a
  // row instead of making the text one value for the whole selection.
  const QString text = lines.join(QLatin1Char('\n'));
  return lines.size() > 1 ? text + QLatin1Char('\n') : text;
}

std::optional<QList<CellValue>> valuesFromText(const QString& text, const QRect& selection) {
  QString plain = text;
  plain.remove(QLatin1Char('\r'));
  QStringList lines = plain.split(QLatin1Char('\n'));
  if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();  // the last line's end
  QList<CellValue> values;
  if (lines.size() == 1 && !lines.first().contains(QLatin1Char('\t'))) {
    for (int row = selection.top(); row <= selection.bottom(); ++row)
      for (int column = selection.left(); column <= selection.right(); ++column)
        values.append({row, column, lines.first()});
    return values;
  }
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QStringList fields = lines[i].split(QLatin1Char('\t'));
    const int row = selection.top() + int(i);
    if (row > kChannelCount || selection.left() + fields.size() - 1 > kTxPower) return std::nullopt;
    for (qsizetype j = 0; j < fields.size(); ++j)
      values.append({row, selection.left() + int(j), fields[j]});
  }
  return values;
}

}  // namespace kv
