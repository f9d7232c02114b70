#include "exchange/csvformat.h"

#include "exchange/cellentry.h"
#include "exchange/csvtext.h"
#include "exchange/fields.h"

namespace kv {
namespace {

const QString kChannelKey = QStringLiteral("channel");

QStringList headerRow() {
  QStringList header{kChannelKey};
  for (int c = kRxFreq; c <= kTxPower; ++c) header << channelFieldKey(c);
  return header;
}

QString csvField(const QString& value) {
  if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char(';')) &&
      !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\n')))
    return value;
  QString quoted = value;
  quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

QByteArray toCsv(const RadioData& data) {
  QString text = headerRow().join(QLatin1Char(',')) + QLatin1String("\r\n");
  for (int n = 1; n <= kChannelCount; ++n) {
    QStringList fields{QString::number(n)};
    for (int c = kRxFreq; c <= kTxPower; ++c) fields << csvField(data.cell(n, c));
    text += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
  }
  return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
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
  if (found != header) {
    r.error = QStringLiteral("row 1: the header must be %1").arg(header.join(QLatin1Char(',')));
    return r;
  }

  r.data = base;
  r.data.clearChannels();
  const QString band = bandTextOf(bands, base.settings.model);
  QList<bool> seen(kChannelCount + 1, false);
  for (qsizetype i = 1; i < rows.size(); ++i) {
    QStringList fields = rows[i];
    if (isBlankRecord(fields)) continue;
    const qsizetype spreadsheetRow = i + 1;
    while (fields.size() > header.size() && fields.last().trimmed().isEmpty()) fields.removeLast();
    if (fields.size() != header.size()) {
      r.error = QStringLiteral("row %1: %2 fields, not %3")
                    .arg(spreadsheetRow)
                    .arg(fields.size())
                    .arg(header.size());
      return r;
    }
    bool ok = false;
    const int n = fields[0].trimmed().toInt(&ok);
    if (!ok || n < 1 || n > kChannelCount || seen[n]) {
      r.error = QStringLiteral(
                    "row %1, column channel: \"%2\" is not a channel from 1 to 16 "
                    "that no other row has")
                    .arg(spreadsheetRow)
                    .arg(fields[0]);
      return r;
    }
    seen[n] = true;
    for (int c = kRxFreq; c <= kTxPower; ++c) {
      const CellEntry entry = enterCellValue(c, fields[c], band);
      if (!entry.ok()) {
        r.error =
            QStringLiteral("row %1, column %2: \"%3\" %4")
                .arg(spreadsheetRow)
                .arg(channelFieldKey(c), fields[c].trimmed(), refusalText(entry.refusal, band));
        return r;
      }
      r.data.cell(n, c) = entry.text;
    }
  }
  for (int n = 1; n <= kChannelCount; ++n) {
    if (!seen[n]) {
      r.error = QStringLiteral("channel %1 has no row; the table needs channels 1 to 16").arg(n);
      return r;
    }
  }
  return r;
}

}  // namespace kv
