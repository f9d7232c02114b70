#include "model/radiomodel.h"

#include <QRegularExpression>
#include <cmath>

namespace kv {

const std::array<RadioModel, kModelCount>& radioModels() {
  // Entry 3 reads the sixth band text, entries 4 and 5 the fourth and fifth: tune mode
  // writes with the same assignment, so a band stored for a model is read back for it.
  static const std::array<RadioModel, kModelCount> models{{
      {"KV--410B(1)", "11", 0},
      {"KV--410B(2)", "12", 1},
      {"KV--410B(3)", "13", 2},
      {"KV--410B(4)", "14", 5},
      {"KV--410A(1)", "24", 3},
      {"KV--410A(2)", "25", 4},
      {"KV--520(U)", "34", 6},
      {"KV--520(V)", "36", 7},
  }};
  return models;
}

QStringList modelNames() {
  QStringList names;
  for (const auto& m : radioModels()) names << QString::fromUtf8(m.name);
  return names;
}

std::optional<int> findModelByCode(QAnyStringView code) {
  for (int i = 0; i < kModelCount; ++i)
    if (code == QLatin1String(radioModels()[i].code)) return i;
  return std::nullopt;
}

QString modelNameOfByte(quint8 byte) {
  for (const RadioModel& m : radioModels())
    if (QLatin1String(m.code).toInt(nullptr, 16) == byte) return QString::fromUtf8(m.name);
  return QStringLiteral("0x%1").arg(QString::number(byte, 16).toUpper(), 2, QLatin1Char('0'));
}

QString modelCode(int model) { return QLatin1String(radioModels().at(model).code); }

QString modelByte(int model) { return QString::number(modelCode(model).toInt(nullptr, 16)); }

QString bandSlotKey(int slot) {
  // Asked for every key of every read of the settings file: made once.
  static const auto keys = [] {
    std::array<QString, kModelCount> names;
    for (int i = 0; i < kModelCount; ++i) names[i] = QStringLiteral("PL%1").arg(i + 1);
    return names;
  }();
  return keys.at(slot);
}

QString bandKey(int model) { return bandSlotKey(radioModels().at(model).bandSlot); }

QString bandTextOf(const Bands& bands, int model) {
  return bands.at(radioModels().at(model).bandSlot);
}

static std::optional<int> wholeNumber(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<BandLimits> bandLimits(const QString& bandText) {
  const auto low = wholeNumber(bandText.mid(0, 3));
  const auto high = wholeNumber(bandText.mid(9, 3));
  if (!low || !high) return std::nullopt;
  return BandLimits{*low, *high};
}

std::optional<QString> bandTextFromLimits(const QString& low, const QString& high) {
  const auto lowMHz = wholeNumber(low);
  const auto highMHz = wholeNumber(high);
  if (!lowMHz || !highMHz || *lowMHz < 100 || *lowMHz > *highMHz || *highMHz > 999)
    return std::nullopt;
  return QStringLiteral("%1MHz---%2MHz").arg(*lowMHz).arg(*highMHz);
}

bool isValidBandText(const QString& bandText) {
  const auto band = bandTextFromLimits(bandText.mid(0, 3), bandText.mid(9, 3));
  return band && *band == bandText;
}

QString fallbackBandText() { return QStringLiteral("400MHz---470MHz"); }

QList<ReplacedBand> replaceInvalidBands(Bands& bands) {
  QList<ReplacedBand> replaced;
  for (int slot = 0; slot < kModelCount; ++slot) {
    if (bands[slot].isEmpty() || isValidBandText(bands[slot])) continue;
    replaced.append({bandSlotKey(slot), bands[slot]});
    bands[slot] = fallbackBandText();
  }
  return replaced;
}

bool isFrequencyNumber(const QString& text) {
  static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)\s*$)"));
  return number.match(text).hasMatch();
}

QString formatFrequency(const QString& text, int wholeDigits) {
  if (!isFrequencyNumber(text)) return text;
  const double value = text.trimmed().toDouble();
  QString body = QString::number(std::abs(value), 'f', 5);
  const int whole = int(body.indexOf(QLatin1Char('.')));
  if (whole < wholeDigits) body.prepend(QString(wholeDigits - whole, QLatin1Char('0')));
  if (wholeDigits == 0 && body.startsWith(QLatin1Char('0'))) body.remove(0, 1);
  const bool negative = value < 0 && body.contains(QRegularExpression(QStringLiteral("[1-9]")));
  return negative ? QLatin1Char('-') + body : body;
}

FrequencyCheck checkFrequency(const QString& frequency, const QString& bandText) {
  const auto limits = bandLimits(bandText);
  const auto mhz = wholeNumber(frequency.left(3));
  bool ok = false;
  const double value = frequency.trimmed().toDouble(&ok);
  if (!limits || !mhz || !ok) return FrequencyCheck::Unreadable;
  if (std::abs(value) >= 1000) return FrequencyCheck::OutOfRange;
  if (*mhz < limits->low || *mhz > limits->high) return FrequencyCheck::OutOfRange;
  const auto hertz = std::llround(value * 1000000.0);
  if (hertz % 6250 != 0 && hertz % 5000 != 0) return FrequencyCheck::OffRaster;
  return FrequencyCheck::Accepted;
}

}  // namespace kv
