#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

#include "model/radiodata.h"

namespace kv {

constexpr int kBlockCount = 128;  // blocks of the 1024-byte memory
constexpr int kBlockSize = 8;
constexpr int kDataBlockCount = 34;  // blocks 0..33 carry data; the rest is filler
constexpr int kImageSize = kBlockCount * kBlockSize;

// Block b lies at address 8b.
inline quint8 blockAddressHigh(int block) { return quint8(block / 32); }
inline quint8 blockAddressLow(int block) { return quint8((block % 32) * 8); }

// Why a document cannot become bytes: a frequency or signalling cell that has no encoding.
struct EncodeError {
  int channel = 0;  // 1..16
  int column = 0;   // grid column
  QString text;     // the cell's text
  QString description() const;
};

struct EncodedImage {
  QByteArray bytes;  // kImageSize bytes when the document could be encoded
  std::optional<EncodeError> error;
  bool ok() const { return !error; }
};

// The memory image of a document: the single source of the bytes that both a saved file
// and a write to the radio carry. Filler blocks are 0xFF.
EncodedImage encodeImage(const RadioData& data);

// Frequency cell "450.12500" as its four stored bytes (10 Hz units, BCD, least significant
// byte first); "OFF" and empty cells are 0xFF x 4. Nothing when the text has no encoding.
std::optional<std::array<char, 4>> encodeFrequency(const QString& text);

// A cell counts as present when it is not blank and not "OFF".
bool cellPresent(const QString& text);

// Two upper-case hexadecimal digits.
QString hexToken(int byte);
// The same, appended to text.
void appendHexToken(QByteArray& text, int byte);
// The same two digits written at `out`; returns the position after them.
inline char* writeHexToken(char* out, int byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  *out++ = kDigits[(byte >> 4) & 0xF];
  *out++ = kDigits[byte & 0xF];
  return out;
}

}  // namespace kv
