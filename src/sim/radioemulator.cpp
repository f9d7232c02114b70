#include "sim/radioemulator.h"

#include "image/memoryimage.h"

namespace kv {
namespace {

using namespace protocol;

constexpr int kLastBlock = kBlockCount - 1;

int blockOf(const QByteArray& header) {
  const int address = quint8(header[1]) * 256 + quint8(header[2]);
  if (header[3] != char(kBlockSize) || address % kBlockSize || address / kBlockSize > kLastBlock)
    return -1;
  return address / kBlockSize;
}

}  // namespace

RadioEmulator::RadioEmulator(QByteArray& memory, RadioFaults faults)
    : memory_(memory), faults_(faults) {}

RadioEmulator::Reply RadioEmulator::receive(const QByteArray& bytes) {
  Reply reply;
  switch (faults_.line) {
    case RadioFaults::Line::Silent:
      return reply;
    case RadioFaults::Line::Echo:
      reply.bytes = bytes;
      return reply;
    case RadioFaults::Line::Garble:
      // Each byte inverted, with the top bit set: never an ACK or a NAK, never what was sent.
      for (char byte : bytes) reply.bytes += char(~byte | 0x80);
      return reply;
    case RadioFaults::Line::Radio:
    case RadioFaults::Line::Refuse:
      break;
  }
  for (char byte : bytes) {
    if (reply.dropLine) break;
    take(byte, reply);
  }
  return reply;
}

void RadioEmulator::take(char byte, Reply& reply) {
  switch (state_) {
    case State::Handshake:
      takeHandshake(byte, reply);
      break;
    case State::AwaitClosing:
      // Further cycle bytes are ignored until the closing byte; a whole new wake-up word
      // (from a PC that gave up before closing) is answered again.
      if (byte == kClosing) {
        reply.bytes += kAck;
        state_ = State::AwaitMode;
      } else {
        takeHandshake(byte, reply);
      }
      break;
    case State::AwaitMode:
      if (byte == kWriteMode || byte == kReadMode) {
        reply.bytes += kAck;
        state_ = byte == kWriteMode ? State::Writing : State::Reading;
        packet_.clear();
      } else {
        restart(byte, reply);
      }
      break;
    case State::Writing:
      takeWrite(byte, reply);
      break;
    case State::Reading:
      takeRead(byte, reply);
      break;
  }
}

void RadioEmulator::takeHandshake(char byte, Reply& reply) {
  recent_ += byte;
  if (recent_.size() > kWakeUpLength) recent_.remove(0, recent_.size() - kWakeUpLength);
  if (recent_ != wakeUpWord() || faults_.noHandshake) return;
  recent_.clear();
  if (faults_.line == RadioFaults::Line::Refuse) {
    reply.bytes += QByteArray(3, kNak);
    return;
  }
  // Three ACKs, so that the answer reads longer than two characters in byte mode too.
  reply.bytes += QByteArray(3, kAck);
  state_ = State::AwaitClosing;
}

// A byte that cannot belong to the current exchange starts the wake-up word again.
void RadioEmulator::restart(char byte, Reply& reply) {
  state_ = State::Handshake;
  packet_.clear();
  recent_.clear();
  takeHandshake(byte, reply);
}

char RadioEmulator::acknowledgement(int block) const {
  return hits(faults_.wrongAnswerAt, block) ? faults_.wrongAnswer : kAck;
}

void RadioEmulator::answer(Reply& reply, const QByteArray& bytes, int block) {
  if (hits(faults_.silentFrom, block)) silent_ = true;
  if (!silent_) reply.bytes += bytes;
}

void RadioEmulator::takeWrite(char byte, Reply& reply) {
  if (packet_.isEmpty() && byte != kWriteCommand) return restart(byte, reply);
  packet_ += byte;
  if (packet_.size() < kPacketSize) return;
  const int block = blockOf(packet_);
  const QByteArray data = packet_.mid(kHeaderSize);
  packet_.clear();
  if (block < 0) return;
  if (hits(faults_.dropAt, block)) {
    reply.dropLine = true;
    return;
  }
  if (!silent_ && !hits(faults_.silentFrom, block)) {
    memory_.replace(block * kBlockSize, kBlockSize, data);
    if (faults_.corruptAt && *faults_.corruptAt / kBlockSize == block)
      memory_[*faults_.corruptAt] = char(memory_[*faults_.corruptAt] ^ 0x01);
    reply.storedBlock = block;
  }
  answer(reply, QByteArray(1, acknowledgement(block)), block);
  if (block == kLastBlock) state_ = State::Handshake;
}

void RadioEmulator::takeRead(char byte, Reply& reply) {
  if (packet_.isEmpty() && byte == kAck && lastRequested_ >= 0) {
    // The PC acknowledges each answer; the radio acknowledges that in turn.
    const int block = lastRequested_;
    if (block == kLastBlock) {
      state_ = State::Handshake;
      lastRequested_ = -1;
    }
    if (!silent_) reply.bytes += acknowledgement(block);
    return;
  }
  if (packet_.isEmpty() && byte != kReadCommand) return restart(byte, reply);
  packet_ += byte;
  if (packet_.size() < kHeaderSize) return;
  const QByteArray header = packet_;
  packet_.clear();
  const int block = blockOf(header);
  if (block < 0) return;
  if (hits(faults_.dropAt, block)) {
    reply.dropLine = true;
    return;
  }
  lastRequested_ = block;
  QByteArray data = header + memory_.mid(block * kBlockSize, kBlockSize);
  if (hits(faults_.shortAt, block)) data.chop(1);
  if (hits(faults_.longAt, block)) data += char(0xFF);
  answer(reply, data, block);
}

}  // namespace kv
