#include "exchange/csvformat.h"

#include <QStringDecoder>

#include "exchange/cellentry.h"
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

QString decode(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  if (utf8.hasError()) {
    QStringDecoder gb18030("GB18030");
    text = gb18030(bytes);
  }
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return text;
}

// The records of the text: fields split at `separator` outside quotes, records at line ends
// outside quotes; "" inside quotes is one quote.
QList<QStringList> records(const QString& text, QChar separator) {
  QList<QStringList> rows;
  QStringList row;
  QString field;
  bool quoted = false;
  const auto endRecord = [&] {
    row << field;
    rows << row;
    row.clear();
    field.clear();
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c != QLatin1Char('"'))
        field += c;
      else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
        field += text[++i];
      else
        quoted = false;
    } else if (c == QLatin1Char('"')) {
      quoted = true;
    } else if (c == separator) {
      row << field;
      field.clear();
    } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
      endRecord();
    } else {
      field += c;
    }
  }
  if (!field.isEmpty() || !row.isEmpty()) endRecord();
  return rows;
}

bool blank(const QStringList& record) {
  for (const QString& field : record)
    if (!field.trimmed().isEmpty()) return false;
  return true;
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
  const QString text = decode(csv);
  const QString firstLine = text.left(text.indexOf(QLatin1Char('\n')));
  const QChar separator =
      firstLine.contains(QLatin1Char(';')) && !firstLine.contains(QLatin1Char(','))
          ? QLatin1Char(';')
          : QLatin1Char(',');
  const QList<QStringList> rows = records(text, separator);
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
    if (blank(fields)) continue;
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
