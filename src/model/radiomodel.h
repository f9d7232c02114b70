#pragma once

#include <QAnyStringView>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace kv {

// One row of the fixed model table; the list index is the model's identity everywhere.
struct RadioModel {
  const char* name;  // display name in the model lists
  const char* code;  // two-character code written to files and sent to the radio
  int bandSlot;      // 0..7: which of the eight band texts (settings keys PL1..PL8)
};

constexpr int kModelCount = 8;

const std::array<RadioModel, kModelCount>& radioModels();
QStringList modelNames();

// Index of the model whose code equals `code` exactly, or nothing.
std::optional<int> findModelByCode(QAnyStringView code);

// What a radio's model byte (memory address 0x000) is called: the name of the model whose code
// it is ("KV--520(V)" for 0x36), or the byte itself ("0xFF") when it is no model's.
QString modelNameOfByte(quint8 byte);

// The model code ("24") and the code byte as decimal text ("36") of a model index 0..7.
QString modelCode(int model);
QString modelByte(int model);

// The eight band texts ("400MHz---470MHz"), indexed by band slot (settings key PL1..PL8).
using Bands = std::array<QString, kModelCount>;

// The settings key of a band slot: "PL1".."PL8".
QString bandSlotKey(int slot);
// The settings key ("PL6") of a model index; entries 3, 4 and 5 read PL6, PL4 and PL5.
QString bandKey(int model);
// The band text of a model index taken from the slots.
QString bandTextOf(const Bands& bands, int model);

struct BandLimits {
  int low;   // characters 1-3 of the band text, whole MHz
  int high;  // characters 10-12
};
// Limits read by character position; nothing when either is not a whole number.
std::optional<BandLimits> bandLimits(const QString& bandText);

// The band texts the tune window stores: whole MHz, 100 <= low <= high <= 999, in the form
// "400MHz---470MHz". Anything else would make every typed frequency fail.
bool isValidBandText(const QString& bandText);
// The band text for the limits typed in the tune window, or nothing when they are not whole
// MHz within those bounds.
std::optional<QString> bandTextFromLimits(const QString& low, const QString& high);

// A band text that was present in the settings file but unusable, replaced for the run.
struct ReplacedBand {
  QString key;   // "PL3"
  QString text;  // what the file held
};
// The band a model falls back to when its stored band is unusable.
QString fallbackBandText();
// Replaces every band text that is present but not valid with the fallback; empty texts stay
// empty (no band stored).
QList<ReplacedBand> replaceInvalidBands(Bands& bands);

// A decimal number as the frequency editor takes it ("450.125", " 45", ".5", "-4").
bool isFrequencyNumber(const QString& text);
// Five decimals, the whole part padded to `wholeDigits` places: 3 gives the cells' form
// "000.00000" (4 gives 004.00000), 0 the editor's "##.00000" (0.5 gives .50000). A text that is
// not a number comes back unchanged.
QString formatFrequency(const QString& text, int wholeDigits);

enum class FrequencyCheck { Accepted, OutOfRange, OffRaster, Unreadable };

// The editor's acceptance rule for a frequency text in MHz ("450.00625"): the whole-MHz part
// (first three characters) within the band, and the frequency in hertz on the 6.25 kHz or
// 5 kHz raster. A whole-MHz part of four or more digits is beyond every band. Unreadable when
// the band or the frequency is not a number.
FrequencyCheck checkFrequency(const QString& frequency, const QString& bandText);

}  // namespace kv
