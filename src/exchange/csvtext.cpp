#include "exchange/csvtext.h"

#include <QStringDecoder>

#include "exchange/gb18030.h"

namespace kv {

QString decodeCsvText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  if (utf8.hasError()) text = decodeGb18030(bytes);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return text;
}

QList<QStringList> csvRecords(const QString& text, QChar separator) {
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

bool isBlankRecord(const QStringList& record) {
  for (const QString& field : record)
    if (!field.trimmed().isEmpty()) return false;
  return true;
}

QString csvLine(const QStringList& fields) {
  QStringList quoted;
  for (const QString& field : fields) {
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char(';')) &&
        !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n')) &&
        !field.contains(QLatin1Char('\r'))) {
      quoted << field;
      continue;
    }
    QString text = field;
    text.replace(QLatin1String("\""), QLatin1String("\"\""));
    quoted << QLatin1Char('"') + text + QLatin1Char('"');
  }
  return quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

QByteArray csvFileBytes(const QString& text) { return QByteArray("\xEF\xBB\xBF") + text.toUtf8(); }

}  // namespace kv
