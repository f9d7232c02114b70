#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace kv {

// The text of a CSV file: UTF-8, or GB18030 when it is not valid UTF-8 (what spreadsheets on
// Chinese systems save), without a leading byte-order mark.
QString decodeCsvText(const QByteArray& bytes);

// The records of the text: fields split at `separator` outside quotes, records at line ends
// (CR, LF or CRLF) outside quotes; "" inside quotes is one quote.
QList<QStringList> csvRecords(const QString& text, QChar separator);

// A record whose fields are all empty or blank, such as a spreadsheet's empty last line.
bool isBlankRecord(const QStringList& record);

// The line of a record: the fields joined by commas, each quoted where it holds a comma, a
// semicolon, a quote or a line end, then CR LF.
QString csvLine(const QStringList& fields);

// The bytes of a CSV file as spreadsheets read the Chinese texts right: UTF-8 with a
// byte-order mark.
QByteArray csvFileBytes(const QString& text);

}  // namespace kv
