#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>

#include "link/protocol.h"

namespace kv {

// How received bytes are turned into the receive text. Text input mode holds from the start
// of a run until the first block request of a read; byte mode from then on, for the rest of
// the run, whichever port is used. One per run, shared by every transfer.
struct LinkSession {
  std::atomic<bool> byteMode{false};
};

// One look at the receive text: the text the link code reads and measures, and the bytes
// behind it, which decide whether an answer acknowledges.
struct Reading {
  QString text;  // without leading and trailing blanks
  QByteArray bytes;
  bool isEmpty() const { return text.isEmpty(); }
  // The radio's bytes include ACK. The text alone would also take 0x10 ("16"), 0x24 ("36") or
  // 0x60 ("96") from a noisy line for an acknowledgement, and a block the radio never took
  // for written.
  bool acknowledges() const { return bytes.contains(protocol::kAck); }
};

// `Text1`: the decimal renderings of the received bytes in arrival order, without
// separators, so that 0x01 0x20 reads "132"; and the bytes it rendered.
class ReceiveText {
 public:
  // In text input mode each byte arrives as a 16-bit character, low byte first, so a byte
  // renders as its value followed by the zero high byte: 0x06 reads "60". A byte of 0x80
  // or more is taken as its Latin-1 character and renders the same way.
  void append(const QByteArray& bytes, bool byteMode);
  void clear() {
    text_.clear();
    bytes_.clear();
  }
  Reading reading() const { return {text_.trimmed(), bytes_}; }
  const QString& text() const { return text_; }
  const QByteArray& bytes() const { return bytes_; }

 private:
  QString text_;
  QByteArray bytes_;
};

}  // namespace kv
