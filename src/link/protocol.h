#pragma once

#include <QByteArray>

namespace kv::protocol {

// The bytes of the programming protocol, as the PC and the radio both use them.

// The wake-up word goes out one byte at a time, over and over: STX "PRO" "GRA". The closing
// "M" follows only once the radio has answered, so the radio never sees the word in one piece.
constexpr char kWakeUp[] = {0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41};
constexpr int kWakeUpLength = int(sizeof kWakeUp);
inline QByteArray wakeUpWord() { return QByteArray(kWakeUp, kWakeUpLength); }
constexpr char kClosing = 0x4D;

constexpr char kWriteMode = 0x0A;
constexpr char kReadMode = 0x05;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;

// A block packet: command, address high and low, the length 0x08, and for a write the block's
// eight data bytes. A read request is the first four; its answer is the whole twelve.
constexpr char kWriteCommand = 0x57;
constexpr char kReadCommand = 0x52;
constexpr int kHeaderSize = 4;
constexpr int kPacketSize = 12;

}  // namespace kv::protocol
