#pragma once

#include <QAnyStringView>
#include <QString>
#include <QStringList>
#include <optional>

namespace kv {

// The 261-entry code list: "OFF", 50 tones, 105 normal digital codes, then the 105
// inverted codes in partner order. A text's position here decides its two stored bytes.
const QStringList& signalCodeList();

// The editor's pick list: the same texts, but the inverted block in ascending code order.
const QStringList& signalPickList();

// Index of the first entry that begins with `text`, ignoring letter case; -1 when none does.
int findPrefix(const QStringList& list, const QString& text);

struct SignalBytes {
  quint8 type;    // 0xFF off, 0x80 tone, 0xD0 normal digital, 0xC0 inverted digital
  quint8 number;  // 1-based number within its block; 0xFF when off
  bool operator==(const SignalBytes&) const = default;
};

// Empty, blank or "OFF" is off; otherwise the first code-list entry beginning with the text.
// Nothing when no entry begins with it.
std::optional<SignalBytes> encodeSignal(const QString& text);

// The cell text for a type and number given as hexadecimal tokens. The type is compared
// exactly ("d0" is off); a number past the list's end gives "". Nothing when the number
// is not one or two hexadecimal digits.
std::optional<QString> decodeSignal(QAnyStringView type, QAnyStringView number);

// Whether a type and number name a code of their own type: a tone 1..50, a digital code
// 1..105, or off (any other type, and 0x80 0x00, which has always read as "OFF"). Other
// numbers still decode, to another type's code or to nothing, but save as different bytes.
bool namesOwnCode(QAnyStringView type, int number);

// "F" and "0F" both give 15; nothing for anything but one or two hexadecimal digits.
std::optional<int> hexTextToInt(QAnyStringView text);

}  // namespace kv
