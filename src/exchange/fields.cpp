#include "exchange/fields.h"

#include <QCoreApplication>

#include "image/memoryimage.h"
#include "model/radiomodel.h"

namespace kv {

const std::array<SettingField, 6>& settingFields() {
  static const std::array<SettingField, 6> fields{{
      {"monitor", monitorOptions, &FunctionSettings::monitor},
      {"power_save", powerSaveOptions, &FunctionSettings::powerSave},
      {"tx_timeout", txTimeoutOptions, &FunctionSettings::txTimeout},
      {"squelch", squelchOptions, &FunctionSettings::squelch},
      {"scan", scanOptions, &FunctionSettings::scan},
      {"voice", voiceOptions, &FunctionSettings::voice},
  }};
  return fields;
}

QString channelFieldKey(int column) {
  static const char* const keys[] = {"rx_freq",   "tx_freq",   "rx_signal", "tx_signal",
                                     "busy_lock", "bandwidth", "tx_power"};
  return QLatin1String(keys[column - 1]);
}

const QStringList& crystalTexts() {
  static const QStringList texts{"13MHz", "14.4MHz"};
  return texts;
}

const QStringList& ifSideTexts() {
  static const QStringList texts{QT_TRANSLATE_NOOP("kv::Values", "正"),
                                 QT_TRANSLATE_NOOP("kv::Values", "负")};
  return texts;
}

QString fieldCaption(QStringView name) {
  static const std::pair<const char*, const char*> captions[] = {
      {"model", QT_TRANSLATE_NOOP("kv::Fields", "机型：")},
      {"settings.monitor", QT_TRANSLATE_NOOP("kv::Fields", "监听：")},
      {"settings.power_save", QT_TRANSLATE_NOOP("kv::Fields", "省电功能：")},
      {"settings.tx_timeout", QT_TRANSLATE_NOOP("kv::Fields", "发射限时：")},
      {"settings.squelch", QT_TRANSLATE_NOOP("kv::Fields", "静噪等级：")},
      {"settings.scan", QT_TRANSLATE_NOOP("kv::Fields", "扫描功能：")},
      {"settings.voice", QT_TRANSLATE_NOOP("kv::Fields", "语音报频：")},
      {"tune.crystal", QT_TRANSLATE_NOOP("kv::Fields", "晶体：")},
      {"tune.if_side", QT_TRANSLATE_NOOP("kv::Fields", "中频：")},
      {"tune.power_trim", QT_TRANSLATE_NOOP("kv::Fields", "功率调整：")},
  };
  for (const auto& [field, caption] : captions)
    if (name == QLatin1String(field)) return QCoreApplication::translate("kv::Fields", caption);
  return QString();
}

QList<std::pair<QString, QString>> documentFields(const RadioData& data) {
  QList<std::pair<QString, QString>> fields;
  fields.append({QStringLiteral("model"), modelNames().value(data.settings.model)});
  for (const SettingField& s : settingFields())
    fields.append({QStringLiteral("settings.%1").arg(QLatin1String(s.key)),
                   s.options().value(data.settings.*s.field)});
  fields.append(
      {QStringLiteral("tune.crystal"), crystalTexts()[data.tune.jtlx == QLatin1String("1")]});
  fields.append(
      {QStringLiteral("tune.if_side"), ifSideTexts()[data.tune.bjlx == QLatin1String("1")]});
  fields.append({QStringLiteral("tune.power_trim"), QString::number(data.tune.sPower - 5)});
  for (int n = 1; n <= kChannelCount; ++n)
    for (int c = kRxFreq; c <= kTxPower; ++c)
      fields.append(
          {QStringLiteral("channel %1 %2").arg(n).arg(channelFieldKey(c)), data.cell(n, c)});
  return fields;
}

QStringList documentDifferences(const RadioData& from, const RadioData& to) {
  const auto shown = [](const QString& text) {
    return text.isEmpty() ? QStringLiteral("\"\"") : text;
  };
  const auto a = documentFields(from);
  const auto b = documentFields(to);
  QStringList lines;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (a[i].second != b[i].second)
      lines
          << QStringLiteral("%1: %2 -> %3").arg(a[i].first, shown(a[i].second), shown(b[i].second));
  return lines;
}

QString byteDifference(const QByteArray& from, const QByteArray& to, int at) {
  return QStringLiteral("address 0x%1: %2 -> %3")
      .arg(hexToken(at >> 8) + hexToken(at & 0xFF), hexToken(quint8(from[at])),
           hexToken(quint8(to[at])));
}

QStringList documentDifferences(const RadioData& from, const QByteArray& fromImage,
                                const RadioData& to, const QByteArray& toImage) {
  QStringList lines = documentDifferences(from, to);
  // A byte a field shows is one the two documents encode differently. Where a document has no
  // encoding, the field lines stand for every byte when there are any.
  const EncodedImage a = encodeImage(from);
  const EncodedImage b = encodeImage(to);
  const bool encoded = a.ok() && b.ok();
  int count = 0;
  int first = -1;
  for (int at = 0; at < kImageSize; ++at) {
    if (fromImage[at] == toImage[at]) continue;
    if (encoded ? a.bytes[at] != b.bytes[at] : !lines.isEmpty()) continue;
    if (count++ == 0) first = at;
  }
  if (count > 0)
    lines << QStringLiteral("other bytes: %1 differ, first %2")
                 .arg(count)
                 .arg(byteDifference(fromImage, toImage, first));
  return lines;
}

}  // namespace kv
