#pragma once

#include <QByteArray>
#include <optional>

namespace kv {

// A radio's own alignment, set on each radio in tune mode to match its hardware: the crystal
// and the IF side (bits 5 and 4 of the function flags at 0x004) and the power trim (0x007).
constexpr int kFunctionFlagsAt = 0x004;
constexpr quint8 kAlignmentFlags = 0x30;
constexpr int kPowerTrimAt = 0x007;

struct RadioImageOptions {
  bool keepAlignment = false;  // the radio keeps its own alignment
  bool anyModel = false;       // a radio of another model is written all the same
};

// What a write that has read the radio first sends it.
struct RadioImage {
  QByteArray bytes;                  // the image to write; empty when the radio is refused
  std::optional<quint8> otherModel;  // the radio's model byte, when it is not the document's
  bool refused() const { return bytes.isEmpty(); }
};

// The image to write to a radio that holds `radio`, for a document whose image is `document`
// (both whole): the document's, with the radio's own alignment in it when that is kept; none
// for a radio whose model byte differs from the document's, unless any model may be written.
RadioImage imageForRadio(const QByteArray& document, const QByteArray& radio,
                         RadioImageOptions options);

}  // namespace kv
