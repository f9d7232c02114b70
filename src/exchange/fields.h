#pragma once

#include <QByteArray>
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

// The tune values as texts: the crystal ("13MHz", "14.4MHz") and the IF side ("正", "负"),
// which are values like the lists' (valueText, valueNamed).
const QStringList& crystalTexts();
const QStringList& ifSideTexts();

// The window's caption of a field in the current language, with its colon: the label the
// function panel or the tune window gives it ("静噪等级：", "中频："). `name` as documentFields()
// names the field ("model", "settings.squelch", "tune.if_side"); empty for a name with none.
QString fieldCaption(QStringView name);

// Every field of a document with the text the editor shows for it, in a fixed order, named
// "model", "settings.squelch", "tune.crystal", "channel 3 rx_freq" and so on.
QList<std::pair<QString, QString>> documentFields(const RadioData& data);

// One line per field whose text differs: "settings.squelch: 4 -> 6"; an empty text shows as "".
QStringList documentDifferences(const RadioData& from, const RadioData& to);

// One byte that differs between two memory images, as verify and diff name it:
// "address 0x0013: 43 -> 42".
QString byteDifference(const QByteArray& from, const QByteArray& to, int at);

// The difference list of two documents and the whole memory images they were read from: the
// fields that differ, then one line for the bytes that differ where no field shows it (the
// memory past the channels, bytes no field uses, bytes that read as the same text):
// "other bytes: 3 differ, first address 0x0001: FF -> 00".
QStringList documentDifferences(const RadioData& from, const QByteArray& fromImage,
                                const RadioData& to, const QByteArray& toImage);

}  // namespace kv
