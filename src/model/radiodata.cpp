#include "model/radiodata.h"

#include <QCoreApplication>

#include "model/signalcodes.h"

namespace kv {

QStringList columnHeadings() {
  return {
      QT_TRANSLATE_NOOP("kv::Columns", "信道"),     QT_TRANSLATE_NOOP("kv::Columns", "接收频率"),
      QT_TRANSLATE_NOOP("kv::Columns", "发射频率"), QT_TRANSLATE_NOOP("kv::Columns", "接收信令"),
      QT_TRANSLATE_NOOP("kv::Columns", "发射信令"), QT_TRANSLATE_NOOP("kv::Columns", "繁忙锁定"),
      QT_TRANSLATE_NOOP("kv::Columns", "宽/窄"),    QT_TRANSLATE_NOOP("kv::Columns", "发射功率")};
}
QStringList busyLockOptions() {
  return {QT_TRANSLATE_NOOP("kv::Values", "是"), QT_TRANSLATE_NOOP("kv::Values", "否")};
}
QStringList bandwidthOptions() {
  return {QT_TRANSLATE_NOOP("kv::Values", "宽"), QT_TRANSLATE_NOOP("kv::Values", "窄")};
}
// The lists a load consults for every channel are made once.
QStringList txPowerOptions() {
  static const QStringList items{QT_TRANSLATE_NOOP("kv::Values", "高"),
                                 QT_TRANSLATE_NOOP("kv::Values", "中"),
                                 QT_TRANSLATE_NOOP("kv::Values", "低")};
  return items;
}

QStringList cellOptions(int column) {
  switch (column) {
    case kRxSignal:
    case kTxSignal:
      return signalPickList();
    case kBusyLock:
      return busyLockOptions();
    case kBandwidth:
      return bandwidthOptions();
    default:
      return txPowerOptions();
  }
}

QStringList monitorOptions() {
  return {QT_TRANSLATE_NOOP("kv::Values", "打开"), QT_TRANSLATE_NOOP("kv::Values", "关闭")};
}
QStringList powerSaveOptions() {
  return {QT_TRANSLATE_NOOP("kv::Values", "有效"), QT_TRANSLATE_NOOP("kv::Values", "无效")};
}
QStringList txTimeoutOptions() {
  static const QStringList items = [] {
    QStringList list{QT_TRANSLATE_NOOP("kv::Values", "关闭")};
    for (int s = 30; s <= 300; s += 30) list << QStringLiteral("%1s").arg(s);
    return list;
  }();
  return items;
}
QStringList squelchOptions() {
  static const QStringList items = [] {
    QStringList list;
    for (int i = 0; i <= 9; ++i) list << QString::number(i);
    return list;
  }();
  return items;
}
QStringList scanOptions() {
  return {QT_TRANSLATE_NOOP("kv::Values", "有效"), QT_TRANSLATE_NOOP("kv::Values", "无效")};
}
QStringList voiceOptions() {
  return {QT_TRANSLATE_NOOP("kv::Values", "关"), QT_TRANSLATE_NOOP("kv::Values", "中文"),
          QT_TRANSLATE_NOOP("kv::Values", "英文")};
}
QStringList powerTrimOptions() {
  QStringList items;
  for (int i = -5; i <= 5; ++i) items << QString::number(i);
  return items;
}

int functionFlagsValue(const RadioData& data) {
  const auto bit = [](bool on, int n) { return on ? 1 << n : 0; };
  return bit(data.settings.monitor == 1, 7) | bit(data.settings.powerSave == 1, 6) |
         bit(data.tune.jtlx == QLatin1String("1"), 5) |
         bit(data.tune.bjlx == QLatin1String("1"), 4);
}

QString functionFlags(const RadioData& data) { return QString::number(functionFlagsValue(data)); }

int voiceByteValue(const RadioData& data) {
  switch (data.settings.voice) {
    case 1:
      return 0x00;
    case 2:
      return 0x01;
    default:
      return 0xFF;
  }
}

QString voiceByte(const RadioData& data) { return QString::number(voiceByteValue(data)); }

}  // namespace kv
