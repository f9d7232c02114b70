#pragma once

#include <QString>
#include <QStringList>

namespace kv {

// The lists' values that are words ("否", "宽", "打开", ...) are stored as they are, in every
// language: the document, the files and the radio never see a translation. A window shows each
// value's text in the current language; what the user types or pastes may be either language's.

// `value`'s text in the current language: "否" shows as "No" in English. Values that are not
// words (frequencies, tones, "30s") show as they are.
QString valueText(const QString& value);
// The value among `options` that `typed` names: the value itself or its Chinese or English
// text, without regard to letter case. Empty when it names none.
QString valueNamed(const QString& typed, const QStringList& options);

// The caption of grid column `column` (0..7) in the current language: "接收频率" or
// "RX frequency". The files name the columns by their fields, in every language.
QString columnCaption(int column);

}  // namespace kv
