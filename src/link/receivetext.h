#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>

namespace kv {

// How received bytes are turned into the receive text. Text input mode holds from the start
// of a run until the first block request of a read; byte mode from then on, for the rest of
// the run, whichever port is used. One per run, shared by every transfer.
struct LinkSession {
  std::atomic<bool> byteMode{false};
};

// `Text1`: the decimal renderings of the received bytes in arrival order, without
// separators, so that 0x01 0x20 reads "132".
class ReceiveText {
 public:
  // In text input mode each byte arrives as a 16-bit character, low byte first, so a byte
  // renders as its value followed by the zero high byte: 0x06 reads "60". A byte of 0x80
  // or more is taken as its Latin-1 character and renders the same way.
  void append(const QByteArray& bytes, bool byteMode);
  void clear() { text_.clear(); }
  // The text as the link code reads it: without leading and trailing blanks.
  QString reading() const { return text_.trimmed(); }
  const QString& text() const { return text_; }

 private:
  QString text_;
};

}  // namespace kv
