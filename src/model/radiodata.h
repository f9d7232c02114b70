#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace kv {

constexpr int kChannelCount = 16;

// Grid columns 1..7 of a channel row; the channel table's fields in this order.
enum Column : int {
  kRxFreq = 1,
  kTxFreq = 2,
  kRxSignal = 3,
  kTxSignal = 4,
  kBusyLock = 5,
  kBandwidth = 6,
  kTxPower = 7,
};
constexpr int kColumnCount = 8;  // including the channel-number column 0

// Texts of the channel table as the editor shows them.
QStringList columnHeadings();    // "信道", "接收频率", ... "发射功率"
QStringList busyLockOptions();   // "是", "否"
QStringList bandwidthOptions();  // "宽", "窄"
QStringList txPowerOptions();    // "高", "中", "低"
// What a list column offers: the signalling pick list in columns 3 and 4, the short lists in
// columns 5 to 7.
QStringList cellOptions(int column);

// Option lists of the function settings, in list order (the index is the stored value).
QStringList monitorOptions();    // cboFuncMoni
QStringList powerSaveOptions();  // cbosd
QStringList txTimeoutOptions();  // cboFuncTOT
QStringList squelchOptions();    // cboFuncSQL
QStringList scanOptions();       // cboFuncSave
QStringList voiceOptions();      // cboYYBP
QStringList powerTrimOptions();  // tune window's trim list "-5".."5"

// One channel: the texts of grid columns 1..7. An empty or "OFF" cell is unprogrammed.
struct Channel {
  std::array<QString, kColumnCount - 1> cells;
  QString& operator[](int column) { return cells.at(column - 1); }
  const QString& operator[](int column) const { return cells.at(column - 1); }
  bool operator==(const Channel&) const = default;
};

// The radio-wide settings: the list index of each function list.
struct FunctionSettings {
  int model = 0;
  int monitor = 0;
  int powerSave = 0;
  int txTimeout = 0;
  int squelch = 4;
  int scan = 0;
  int voice = 0;
  bool operator==(const FunctionSettings&) const = default;
};

// Values set in tune mode; they live for the whole run and are never stored in settings.
struct TuneValues {
  QString jtlx = QStringLiteral("0");  // "1": 14.4 MHz crystal
  QString bjlx = QStringLiteral("0");  // "1": IF side "负"
  int sPower = 5;                      // trim list position 0..10 ("0" is 5); -1 for none
  bool operator==(const TuneValues&) const = default;
};

// The one document: everything that is programmed into a radio or saved in a file.
struct RadioData {
  std::array<Channel, kChannelCount> channels;
  FunctionSettings settings;
  TuneValues tune;

  // Channel 1..16, column 1..7.
  QString& cell(int channel, int column) { return channels.at(channel - 1)[column]; }
  const QString& cell(int channel, int column) const { return channels.at(channel - 1)[column]; }
  void clearChannels() { channels = {}; }
  bool operator==(const RadioData&) const = default;
};

// Derived bytes, held by the editor as decimal texts.
int functionFlagsValue(const RadioData& data);  // bits 7..4: monitor, power save, jtlx, bjlx
QString functionFlags(const RadioData& data);   // "128"
int voiceByteValue(const RadioData& data);      // 0xFF "关", 0x00 "中文", 0x01 "英文"
QString voiceByte(const RadioData& data);       // "255"

}  // namespace kv
