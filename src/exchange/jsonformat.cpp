#include "exchange/jsonformat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "exchange/cellentry.h"
#include "exchange/fields.h"
#include "model/radiomodel.h"
#include "model/valuetexts.h"

namespace kv {
namespace {

QString quoted(const QString& text) {
  const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString optionText(const QStringList& options, int index) { return options.value(index); }

// The index among `options` of the value a JSON text names: the value or its text in either
// language ("On" for "打开"), in any letter case, as the window's lists take them; -1 for none.
int indexNamed(const QJsonValue& v, const QStringList& options) {
  return v.isString() ? int(options.indexOf(valueNamed(v.toString(), options))) : -1;
}

// The values a key takes, named in the current language ("On, Off"; import takes either).
QString valueList(const QStringList& values) {
  QStringList shown;
  for (const QString& value : values) shown << valueText(value);
  return shown.join(QStringLiteral(", "));
}

// Rejects keys the format does not have, so that a misspelt key is not silently dropped.
QString unknownKey(const QJsonObject& object, const QStringList& keys) {
  for (const QString& key : object.keys())
    if (!keys.contains(key)) return key;
  return QString();
}

}  // namespace

QByteArray toJson(const RadioData& data) {
  const FunctionSettings& s = data.settings;
  QString out =
      QStringLiteral("{\"model\": %1,\n \"settings\": {").arg(quoted(modelNames().value(s.model)));
  QStringList settings;
  for (const SettingField& k : settingFields())
    settings << QStringLiteral("\"%1\": %2")
                    .arg(QLatin1String(k.key), quoted(optionText(k.options(), s.*k.field)));
  out += settings.join(QStringLiteral(", "));
  out += QStringLiteral(
             "},\n \"tune\": {\"crystal\": %1, \"if_side\": %2, \"power_trim\": %3},\n "
             "\"channels\": [\n")
             .arg(quoted(crystalTexts()[data.tune.jtlx == QLatin1String("1")]),
                  quoted(ifSideTexts()[data.tune.bjlx == QLatin1String("1")]))
             .arg(data.tune.sPower - 5);
  QStringList channels;
  for (int n = 1; n <= kChannelCount; ++n) {
    QString line = QStringLiteral("  {\"channel\": %1").arg(n);
    for (int c = kRxFreq; c <= kTxPower; ++c)
      line += QStringLiteral(", \"%1\": %2").arg(channelFieldKey(c), quoted(data.cell(n, c)));
    channels << line + QLatin1Char('}');
  }
  out += channels.join(QStringLiteral(",\n")) + QStringLiteral("]}\n");
  return out.toUtf8();
}

JsonResult fromJson(const QByteArray& json, const Bands& bands) {
  JsonResult r;
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
  if (doc.isNull()) {
    r.error = QStringLiteral("not valid JSON at offset %1: %2")
                  .arg(parseError.offset)
                  .arg(parseError.errorString());
    return r;
  }
  if (!doc.isObject()) {
    r.error = QStringLiteral("the top level must be an object");
    return r;
  }
  const QJsonObject top = doc.object();
  if (const QString k = unknownKey(top, {"model", "settings", "tune", "channels"}); !k.isEmpty()) {
    r.error = QStringLiteral("unknown key \"%1\"").arg(k);
    return r;
  }

  const int model = indexNamed(top.value(QLatin1String("model")), modelNames());
  if (model < 0) {
    r.error = QStringLiteral("\"model\" must be one of: %1").arg(valueList(modelNames()));
    return r;
  }
  r.data.settings.model = model;

  const QJsonObject settings = top.value(QLatin1String("settings")).toObject();
  QStringList settingNames;
  for (const SettingField& k : settingFields()) settingNames << QLatin1String(k.key);
  if (const QString k = unknownKey(settings, settingNames); !k.isEmpty()) {
    r.error = QStringLiteral("settings: unknown key \"%1\"").arg(k);
    return r;
  }
  for (const SettingField& k : settingFields()) {
    const int index = indexNamed(settings.value(QLatin1String(k.key)), k.options());
    if (index < 0) {
      r.error = QStringLiteral("settings: \"%1\" must be one of: %2")
                    .arg(QLatin1String(k.key), valueList(k.options()));
      return r;
    }
    r.data.settings.*k.field = index;
  }

  const QJsonObject tune = top.value(QLatin1String("tune")).toObject();
  if (const QString k = unknownKey(tune, {"crystal", "if_side", "power_trim"}); !k.isEmpty()) {
    r.error = QStringLiteral("tune: unknown key \"%1\"").arg(k);
    return r;
  }
  const int crystal = indexNamed(tune.value(QLatin1String("crystal")), crystalTexts());
  const int ifSide = indexNamed(tune.value(QLatin1String("if_side")), ifSideTexts());
  const QJsonValue trim = tune.value(QLatin1String("power_trim"));
  if (crystal < 0)
    r.error = QStringLiteral("tune: \"crystal\" must be \"13MHz\" or \"14.4MHz\"");
  else if (ifSide < 0)
    r.error = QStringLiteral("tune: \"if_side\" must be one of: %1").arg(valueList(ifSideTexts()));
  else if (!trim.isDouble() || trim.toDouble() != trim.toInt() || trim.toInt() < -5 ||
           trim.toInt() > 5)
    r.error = QStringLiteral("tune: \"power_trim\" must be a whole number from -5 to 5");
  if (!r.error.isEmpty()) return r;
  r.data.tune = {QString::number(crystal), QString::number(ifSide), trim.toInt() + 5};

  const QJsonArray channels = top.value(QLatin1String("channels")).toArray();
  if (channels.size() != kChannelCount) {
    r.error = QStringLiteral("\"channels\" must hold exactly channels 1 to 16");
    return r;
  }
  QStringList channelKeys{"channel"};
  for (int c = kRxFreq; c <= kTxPower; ++c) channelKeys << channelFieldKey(c);
  const QString band = bandTextOf(bands, model);
  for (int n = 1; n <= kChannelCount; ++n) {
    const QJsonObject ch = channels[n - 1].toObject();
    if (ch.value(QLatin1String("channel")).toInt() != n) {
      r.error = QStringLiteral("channel %1: \"channel\" must be %1 (channels in order)").arg(n);
      return r;
    }
    if (const QString k = unknownKey(ch, channelKeys); !k.isEmpty()) {
      r.error = QStringLiteral("channel %1: unknown key \"%2\"").arg(n).arg(k);
      return r;
    }
    for (int c = kRxFreq; c <= kTxPower; ++c) {
      const QJsonValue v = ch.value(channelFieldKey(c));
      if (!v.isString()) {
        r.error =
            QStringLiteral("channel %1: \"%2\" must be a text").arg(n).arg(channelFieldKey(c));
        return r;
      }
      const CellEntry entry = enterCellValue(c, v.toString(), band);
      if (!entry.ok()) {
        r.error = QStringLiteral("channel %1: \"%2\": \"%3\" %4")
                      .arg(n)
                      .arg(channelFieldKey(c), v.toString(), refusalText(entry.refusal, band));
        return r;
      }
      r.data.cell(n, c) = entry.text;
    }
  }
  return r;
}

}  // namespace kv
