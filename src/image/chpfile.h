#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "model/failure.h"
#include "model/radiodata.h"

namespace kv {

enum class LoadStatus { Loaded, NotFound, Failed };

// A signalling pair whose number lies outside its own type's range: it loads as another
// type's code, or as nothing, and a save would store other bytes.
struct UnknownSignal {
  int channel = 0;  // 1..16
  int column = 0;   // kRxSignal or kTxSignal
  QString bytes;    // the two tokens as the file has them: "80 40"
  QString readAs;   // the cell text they loaded as
  bool operator==(const UnknownSignal&) const = default;
};

struct LoadResult {
  LoadStatus status = LoadStatus::Loaded;
  Failure error;                          // set when Failed
  bool modelFound = false;                // the file's model code named one of the eight models
  QList<UnknownSignal> unknownSignals{};  // in file order, up to where the load stopped
};

// Reads a ".chp" file into `data`, value by value in file order. On an error the load stops
// there: what was already set keeps its new value and the error is returned. A missing file
// changes nothing. A model code that matches no model keeps the current model; a different
// model clears the channel table first. Only lines 1 to 34 are read.
LoadResult loadChpFile(const QString& path, RadioData& data);
// The same for the text of a channel file already in memory (a radio image's chpText).
LoadResult loadChpText(const QByteArray& text, RadioData& data);

// The message that lists the unknown signalling pairs of a load: "以下信令字节无法识别：" and
// one line per pair, "信道3 接收信令 80 40 → D072N".
QString unknownSignalsText(const QList<UnknownSignal>& pairs);

// A channel file taken as a whole, as the command-line tool takes every file it reads: the
// file exists, loads without an error and its model code names one of the eight models.
// (The window's Open keeps whatever loads.)
struct WholeLoad {
  std::optional<RadioData> data;  // set when the file is taken
  QString refusal;                // otherwise why not, in one line
  QList<UnknownSignal> unknownSignals;
};
WholeLoad loadWholeChpFile(const QString& path);
// The same for the text of a channel file already in memory (a radio image's chpText).
WholeLoad loadWholeChpText(const QByteArray& text);

// A radio's memory that does not load (a blank radio is all 0xFF), in plain words, with the
// load's own reason `why`: "对讲机中没有本程序能读入的数据，… 详情：无效的属性值（第1行）".
QString notLoadableFromRadio(const QString& why);

// The file text of a memory image: 128 lines "52 HH LL 08 d0 .. d7", CR LF.
QByteArray chpText(const QByteArray& image);
// The memory image a channel file's lines carry, line b at address 8b: the inverse of chpText.
// What the file lacks (lines past its end, a token that is no hexadecimal byte) reads as
// unprogrammed memory, 0xFF.
QByteArray chpImage(const QByteArray& text);

// Writes `data` as a ".chp" file, replacing the file only once the new one is complete.
std::optional<Failure> saveChpFile(const QString& path, const RadioData& data);

// The line of the read scratch file for one 12-byte answer: every byte as two hex digits
// followed by a space, then CR LF.
QByteArray scratchLine(const QByteArray& answer);

}  // namespace kv
