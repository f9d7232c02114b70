#include "image/memoryimage.h"

#include <QCoreApplication>

#include "model/radiomodel.h"
#include "model/signalcodes.h"
#include "model/valuetexts.h"

namespace kv {

bool cellPresent(const QString& text) {
  return !text.trimmed().isEmpty() && text != QLatin1String("OFF");
}

QString hexToken(int byte) {
  QByteArray token;
  appendHexToken(token, byte);
  return QString::fromLatin1(token);
}

void appendHexToken(QByteArray& text, int byte) {
  char digits[2];
  writeHexToken(digits, byte);
  text.append(digits, 2);
}

QString EncodeError::description() const {
  return QCoreApplication::translate("kv::MemoryImage", "信道%1的%2“%3”无法写入")
      .arg(channel)
      .arg(columnCaption(column), text);
}

std::optional<std::array<char, 4>> encodeFrequency(const QString& text) {
  if (!cellPresent(text))
    return std::array<char, 4>{char(0xFF), char(0xFF), char(0xFF), char(0xFF)};
  if (text.size() != 9) return std::nullopt;
  // The digits travel by position: characters 8-9, 6-7, 3 and 5, 1-2 (1-based), each pair
  // read as two hexadecimal digits, so 450.12500 is 00 25 01 45.
  static constexpr int kPairs[4][2] = {{7, 8}, {5, 6}, {2, 4}, {0, 1}};
  std::array<char, 4> bytes;
  for (int i = 0; i < 4; ++i) {
    const QChar pair[2] = {text[kPairs[i][0]], text[kPairs[i][1]]};
    const auto value = hexTextToInt(QStringView(pair, 2));
    if (!value) return std::nullopt;
    bytes[i] = char(*value);
  }
  return bytes;
}

namespace {

QByteArray functionBlocks(const RadioData& data) {
  const FunctionSettings& s = data.settings;
  const int trim = data.tune.sPower;
  QByteArray b(16, char(0xFF));
  b[0] = char(modelCode(s.model).toInt(nullptr, 16));
  b[4] = char(functionFlagsValue(data));
  b[5] = char(3 * s.txTimeout);  // units of 10 s
  b[6] = char(s.squelch);
  // A trim that matches no list item is stored as the neutral trim rather than garbage.
  b[7] = char(5 * (trim >= 0 && trim <= 10 ? trim : 5));
  b[8] = char(voiceByteValue(data));
  b[9] = char(s.scan == 0 ? 0xFF : 0x00);
  return b;
}

}  // namespace

EncodedImage encodeImage(const RadioData& data) {
  EncodedImage result;
  QByteArray& image = result.bytes;
  image.reserve(kImageSize);
  image += functionBlocks(data);
  for (int n = 1; n <= kChannelCount; ++n) {
    const Channel& ch = data.channels[n - 1];
    for (int column : {kRxFreq, kTxFreq}) {
      const auto freq = encodeFrequency(ch[column]);
      if (!freq) {
        result.error = EncodeError{n, column, ch[column]};
        return result;
      }
      image.append(freq->data(), freq->size());
    }
    for (int column : {kRxSignal, kTxSignal}) {
      const auto signal = encodeSignal(ch[column]);
      if (!signal) {
        result.error = EncodeError{n, column, ch[column]};
        return result;
      }
      image += char(signal->type);
      image += char(signal->number);
    }
    image += char(ch[kBusyLock] == QStringLiteral("是") ? 0x00 : 0xFF);
    image +=
        char(!cellPresent(ch[kBandwidth]) || ch[kBandwidth] == QStringLiteral("宽") ? 0xFF : 0xFC);
    const QString& power = ch[kTxPower];
    image += char(!cellPresent(power) || power == QStringLiteral("高") ? 0xFF
                  : power == QStringLiteral("中")                      ? 0x55
                                                                       : 0x00);
    image += char(0xFF);
  }
  image.append(kImageSize - image.size(), char(0xFF));
  return result;
}

}  // namespace kv
