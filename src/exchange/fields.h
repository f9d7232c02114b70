#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <utility>

#include "model/radiodata.h"

namespace kv {

// The document's fields as the exchange forms (JSON, CSV, the difference list) name them.

// One function setting: its key and the list whose text stands for its index.
struct SettingField {
  const char* key;
  QStringList (*options)();
  int FunctionSettings::*field;
};
const std::array<SettingField, 6>& settingFields();

// The key of a channel field ("rx_freq" for grid column 1).
QString channelFieldKey(int column);

// The tune values as texts: the crystal ("13MHz", "14.4MHz") and the IF side ("正", "负").
const QStringList& crystalTexts();
const QStringList& ifSideTexts();

// Every field of a document with the text the editor shows for it, in a fixed order, named
// "model", "settings.squelch", "tune.crystal", "channel 3 rx_freq" and so on.
QList<std::pair<QString, QString>> documentFields(const RadioData& data);

// One line per field whose text differs: "settings.squelch: 4 -> 6"; an empty text shows as "".
QStringList documentDifferences(const RadioData& from, const RadioData& to);

}  // namespace kv
