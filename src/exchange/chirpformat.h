#pragma once

#include <QByteArray>
#include <QStringList>

#include "exchange/csvformat.h"
#include "model/radiodata.h"
#include "model/radiomodel.h"

namespace kv {

// The channel table as CHIRP's memory CSV, the form in which hobbyists and dealers pass
// channel plans between radios: one row per memory, columns found by their names.

// Whether the first record of `csv` is a CHIRP header: it names (in any letter case and order,
// among other columns) Location, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq,
// DtcsCode, DtcsPolarity and Mode, as both the current and the older 18-column header do.
bool isChirpCsv(const QByteArray& csv);

// One row per channel whose receive frequency is set, under the current 21-column header, with
// CRLF line ends. Busy lock has no column; chirpExportNotes says which channels lose it.
QByteArray toChirpCsv(const RadioData& data);
QStringList chirpExportNotes(const RadioData& data);

// Reads a CHIRP CSV into a copy of `base` (which gives the model and the settings), as fromCsv
// reads a table: the same decoding, every value checked as typing checks it. Channels without a
// row are left empty; busy lock is "否". `notes` tells of rows past the sixteenth and of names,
// skips and comments, which the radio cannot hold.
CsvResult fromChirpCsv(const QByteArray& csv, const RadioData& base, const Bands& bands);

}  // namespace kv
