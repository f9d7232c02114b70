#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "link/protocol.h"

namespace kv {

// Faults a dealer or a test can make the emulated radio show. Blocks count from 0.
struct RadioFaults {
  // What is on the line instead of a working radio: nothing at all, a cable that sends back
  // every byte, noise that is no answer, or a radio that refuses the wake-up word with NAK.
  enum class Line { Radio, Silent, Echo, Garble, Refuse };
  Line line = Line::Radio;
  std::optional<int> wrongAnswerAt;  // answer `wrongAnswer` instead of ACK at this block
  char wrongAnswer = protocol::kNak;
  std::optional<int> silentFrom;  // answer nothing from this block on
  std::optional<int> dropAt;      // the line goes away at this block
  std::optional<int> shortAt;     // a read answer one byte short at this block
  std::optional<int> longAt;      // a read answer one byte long, in one burst, at this block
  bool noHandshake = false;       // never answer the wake-up word
  std::optional<int> corruptAt;   // this address keeps a wrong byte when its block is written
};

// The radio's side of the programming protocol over its 1024-byte memory.
class RadioEmulator {
 public:
  RadioEmulator(QByteArray& memory, RadioFaults faults);

  struct Reply {
    QByteArray bytes;       // what the radio sends back
    bool dropLine = false;  // the line goes away now
    int storedBlock = -1;   // a block written to memory by this input
  };
  // Takes the bytes the PC sent, in order, and gives the radio's answer.
  Reply receive(const QByteArray& bytes);
  // Forgets a half-received packet, as after a pause on the line.
  void resetPacket() { packet_.clear(); }

 private:
  enum class State { Handshake, AwaitClosing, AwaitMode, Writing, Reading };
  void take(char byte, Reply& reply);
  void takeHandshake(char byte, Reply& reply);
  void takeWrite(char byte, Reply& reply);
  void takeRead(char byte, Reply& reply);
  void restart(char byte, Reply& reply);
  bool hits(const std::optional<int>& fault, int block) const { return fault && *fault == block; }
  char acknowledgement(int block) const;
  void answer(Reply& reply, const QByteArray& bytes, int block);

  QByteArray& memory_;
  RadioFaults faults_;
  State state_ = State::Handshake;
  QByteArray recent_;  // the last bytes of the wake-up word seen
  QByteArray packet_;
  int lastRequested_ = -1;
  bool silent_ = false;
};

}  // namespace kv
