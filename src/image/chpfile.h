#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "model/failure.h"
#include "model/radiodata.h"

namespace kv {

enum class LoadStatus { Loaded, NotFound, Failed };

struct LoadResult {
  LoadStatus status = LoadStatus::Loaded;
  Failure error;            // set when Failed
  bool modelFound = false;  // the file's model code named one of the eight models
};

// Reads a ".chp" file into `data`, value by value in file order. On an error the load stops
// there: what was already set keeps its new value and the error is returned. A missing file
// changes nothing. A model code that matches no model keeps the current model; a different
// model clears the channel table first. Only lines 1 to 34 are read.
LoadResult loadChpFile(const QString& path, RadioData& data);
// The same for the text of a channel file already in memory (a radio image's chpText).
LoadResult loadChpText(const QByteArray& text, RadioData& data);

// The file text of a memory image: 128 lines "52 HH LL 08 d0 .. d7", CR LF.
QByteArray chpText(const QByteArray& image);

// Writes `data` as a ".chp" file, replacing the file only once the new one is complete.
std::optional<Failure> saveChpFile(const QString& path, const RadioData& data);

// The line of the read scratch file for one 12-byte answer: every byte as two hex digits
// followed by a space, then CR LF.
QByteArray scratchLine(const QByteArray& answer);

}  // namespace kv
