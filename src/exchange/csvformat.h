#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "model/radiodata.h"
#include "model/radiomodel.h"

namespace kv {

// The channel table as CSV, for spreadsheets: UTF-8 with a byte-order mark (so a spreadsheet
// reads the Chinese texts right), the header row
// "channel,rx_freq,tx_freq,rx_signal,tx_signal,busy_lock,bandwidth,tx_power", then channels
// 1 to 16 with every value as the editor shows it, its words in the current language ("否" or
// "No"), so that an English spreadsheet saved in a single-byte code page keeps them.
QByteArray toCsv(const RadioData& data);

// Reads a channel table in CSV into a copy of `base`, which gives the model and the settings.
// The text is UTF-8, or GB18030 when it is not valid UTF-8 (what spreadsheets on Chinese
// systems save); fields are separated by commas or semicolons and may be quoted. Every value is
// checked as the editor would take it, frequencies against the base model's band in `bands`.
// On a bad file `error` names the row and the column, and `data` is not to be used.
struct CsvResult {
  RadioData data;
  QString error;      // in the file's words: "row 2, column rx_freq: "480" lies outside …"
  QStringList notes;  // what the file held that the table cannot take; for the user, not errors
  // The error in the window's words and language, where the reader has them: the grid's column
  // caption and the reason typing gives ("第2行 接收频率：请在正确的频率范围输入").
  QString message;
  QString shownError() const { return message.isEmpty() ? error : message; }
};
// A refused table, why in both forms.
CsvResult refused(const QString& error, const QString& message);
CsvResult fromCsv(const QByteArray& csv, const RadioData& base, const Bands& bands);

}  // namespace kv
