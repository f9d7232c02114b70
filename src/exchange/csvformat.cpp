#include "exchange/csvformat.h"

#include <QCoreApplication>

#include "exchange/cellentry.h"
#include "exchange/csvtext.h"
#include "exchange/fields.h"
#include "model/valuetexts.h"

namespace kv {
namespace {

const QString kChannelKey = QStringLiteral("channel");

QStringList headerRow() {
  QStringList header{kChannelKey};
  for (int c = kRxFreq; c <= kTxPower; ++c) header << channelFieldKey(c);
  return header;
}

}  // namespace

CsvResult refused(const QString& error, const QString& message) {
  CsvResult r;
  r.error = error;
  r.message = message;
  return r;
}

QByteArray toCsv(const RadioData& data) {
  QString text = csvLine(headerRow());
  for (int n = 1; n <= kChannelCount; ++n) {
    QStringList fields{QString::number(n)};
    for (int c = kRxFreq; c <= kTxPower; ++c) fields << valueText(data.cell(n, c));
    text += csvLine(fields);
  }
  return csvFileBytes(text);
}

CsvResult fromCsv(const QByteArray& csv, const RadioData& base, const Bands& bands) {
  CsvResult r;
  const QString text = decodeCsvText(csv);
  const QString firstLine = text.left(text.indexOf(QLatin1Char('\n')));
  const QChar separator =
      firstLine.contains(QLatin1Char(';')) && !firstLine.contains(QLatin1Char(','))
          ? QLatin1Char(';')
          : QLatin1Char(',');
  const QList<QStringList> rows = csvRecords(text, separator);
  const QStringList header = headerRow();
  QStringList found = rows.value(0);
  while (found.size() > header.size() && found.last().trimmed().isEmpty()) found.removeLast();
  for (QString& name : found) name = name.trimmed().toLower();
  const QString names = header.join(QLatin1Char(','));
  if (found != header)
    return refused(QStringLiteral("row 1: the header must be %1").arg(names),
                   QCoreApplication::translate("kv::CsvFormat", "第1行：表头必须是%1").arg(names));

  r.data = base;
  r.data.clearChannels();
  const QString band = bandTextOf(bands, base.settings.model);
  QList<bool> seen(kChannelCount + 1, false);
  for (qsizetype i = 1; i < rows.size(); ++i) {
    QStringList fields = rows[i];
    if (isBlankRecord(fields)) continue;
    const QString row = QString::number(i + 1);  // as a spreadsheet numbers it
    while (fields.size() > header.size() && fields.last().trimmed().isEmpty()) fields.removeLast();
    if (fields.size() != header.size()) {
      const QString count = QString::number(fields.size());
      const QString wanted = QString::number(header.size());
      return refused(QStringLiteral("row %1: %2 fields, not %3").arg(row, count, wanted),
                     QCoreApplication::translate("kv::CsvFormat", "第%1行：有%n个字段，应为%2个",
                                                 nullptr, int(fields.size()))
                         .arg(row, wanted));
    }
    bool ok = false;
    const int n = fields[0].trimmed().toInt(&ok);
    if (!ok || n < 1 || n > kChannelCount || seen[n])
      return refused(QStringLiteral("row %1, column channel: \"%2\" is not a channel from 1 to "
                                    "16 that no other row has")
                         .arg(row, fields[0]),
                     QCoreApplication::translate("kv::CsvFormat",
                                                 "第%1行 %2：“%3”不是1到16的信道号，或与另一行重复")
                         .arg(row, columnCaption(0), fields[0]));
    seen[n] = true;
    for (int c = kRxFreq; c <= kTxPower; ++c) {
      const CellEntry entry = enterCellValue(c, fields[c], band);
      const QString value = fields[c].trimmed();
      if (!entry.ok())
        return refused(QStringLiteral("row %1, column %2: \"%3\" %4")
                           .arg(row, channelFieldKey(c), value, refusalText(entry.refusal, band)),
                       QCoreApplication::translate("kv::CsvFormat", "第%1行 %2：%3")
                           .arg(row, columnCaption(c), refusalMessage(entry.refusal, value, band)));
      r.data.cell(n, c) = entry.text;
    }
  }
  for (int n = 1; n <= kChannelCount; ++n) {
    if (!seen[n])
      return refused(
          QStringLiteral("channel %1 has no row; the table needs channels 1 to 16").arg(n),
          QCoreApplication::translate("kv::CsvFormat", "信道%1没有对应的行，信道表需要信道1到16")
              .arg(n));
  }
  return r;
}

}  // namespace kv
