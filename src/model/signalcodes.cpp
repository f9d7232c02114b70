#include "model/signalcodes.h"

#include <array>
#include <utility>

namespace kv {
namespace {

constexpr std::array<const char*, 50> kTones{
    "67",    "69.3",  "71.9",  "74.4",  "77",    "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100",   "103.5", "107.2", "110.9", "114.8", "118.8", "123",   "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

constexpr std::array<int, 105> kDigitalCodes{
    023,  025,  026,  031,  032,  036,  043,  047,  051,  053,  054,  065,  071,  072,  073,
    074,  0114, 0115, 0116, 0122, 0125, 0131, 0132, 0134, 0143, 0145, 0152, 0155, 0156, 0162,
    0165, 0172, 0174, 0205, 0212, 0223, 0225, 0226, 0243, 0244, 0245, 0246, 0251, 0252, 0255,
    0261, 0263, 0265, 0266, 0271, 0274, 0306, 0311, 0315, 0325, 0331, 0332, 0343, 0346, 0351,
    0356, 0364, 0365, 0371, 0411, 0412, 0413, 0423, 0431, 0432, 0445, 0446, 0452, 0454, 0455,
    0462, 0464, 0465, 0466, 0503, 0506, 0516, 0523, 0526, 0532, 0546, 0565, 0606, 0612, 0624,
    0627, 0631, 0632, 0645, 0654, 0662, 0664, 0703, 0712, 0723, 0731, 0732, 0734, 0743, 0754};

// Inversion partners; each pair works both ways and 645 is its own partner.
constexpr std::array<std::pair<int, int>, 53> kPartners{
    {{023, 047},   {025, 0244},  {026, 0464},  {031, 0627},  {032, 051},   {036, 0172},
     {043, 0445},  {053, 0452},  {054, 0413},  {065, 0271},  {071, 0306},  {072, 0245},
     {073, 0506},  {074, 0174},  {0114, 0712}, {0115, 0152}, {0116, 0754}, {0122, 0225},
     {0125, 0365}, {0131, 0364}, {0132, 0546}, {0134, 0223}, {0143, 0412}, {0145, 0274},
     {0155, 0731}, {0156, 0265}, {0162, 0503}, {0165, 0251}, {0205, 0263}, {0212, 0356},
     {0226, 0411}, {0243, 0351}, {0246, 0523}, {0252, 0462}, {0255, 0446}, {0261, 0732},
     {0266, 0454}, {0311, 0664}, {0315, 0423}, {0325, 0526}, {0331, 0465}, {0332, 0455},
     {0343, 0532}, {0346, 0612}, {0371, 0734}, {0431, 0723}, {0432, 0516}, {0466, 0662},
     {0565, 0703}, {0606, 0631}, {0624, 0632}, {0645, 0645}, {0654, 0743}}};

int partnerOf(int code) {
  for (const auto& [a, b] : kPartners) {
    if (a == code) return b;
    if (b == code) return a;
  }
  return code;
}

QString digitalText(int code, char suffix) {
  return QStringLiteral("D%1%2").arg(code, 3, 8, QLatin1Char('0')).arg(QLatin1Char(suffix));
}

QStringList buildList(bool inverseByPartner) {
  QStringList list{QStringLiteral("OFF")};
  for (const char* tone : kTones) list << QLatin1String(tone);
  for (int code : kDigitalCodes) list << digitalText(code, 'N');
  for (int code : kDigitalCodes)
    list << digitalText(inverseByPartner ? partnerOf(code) : code, 'I');
  return list;
}

}  // namespace

const QStringList& signalCodeList() {
  static const QStringList list = buildList(true);
  return list;
}

const QStringList& signalPickList() {
  static const QStringList list = buildList(false);
  return list;
}

int findPrefix(const QStringList& list, const QString& text) {
  for (int i = 0; i < list.size(); ++i)
    if (list[i].startsWith(text, Qt::CaseInsensitive)) return i;
  return -1;
}

std::optional<SignalBytes> encodeSignal(const QString& text) {
  if (text.trimmed().isEmpty() || text == QLatin1String("OFF")) return SignalBytes{0xFF, 0xFF};
  const int i = findPrefix(signalCodeList(), text);
  if (i < 0) return std::nullopt;
  if (i == 0) return SignalBytes{0xFF, 0xFF};  // a prefix of "OFF" such as "of"
  if (i <= 50) return SignalBytes{0x80, quint8(i)};
  if (i <= 155) return SignalBytes{0xD0, quint8(i - 50)};
  return SignalBytes{0xC0, quint8(i - 155)};
}

std::optional<QString> decodeSignal(QAnyStringView type, QAnyStringView number) {
  int offset;
  if (type == QLatin1String("80"))
    offset = 0;
  else if (type == QLatin1String("D0"))
    offset = 50;
  else if (type == QLatin1String("C0"))
    offset = 155;
  else
    return QStringLiteral("OFF");
  const auto n = hexTextToInt(number);
  if (!n) return std::nullopt;
  const int index = *n + offset;
  return index < signalCodeList().size() ? signalCodeList()[index] : QString();
}

bool namesOwnCode(QAnyStringView type, int number) {
  if (type == QLatin1String("80")) return number >= 0 && number <= int(kTones.size());
  if (type == QLatin1String("D0") || type == QLatin1String("C0"))
    return number >= 1 && number <= int(kDigitalCodes.size());
  return true;
}

std::optional<int> hexTextToInt(QAnyStringView text) {
  // Called for every byte of a channel file: no regular expression, no allocation.
  static constexpr auto kDigits = [] {
    std::array<qint8, 128> digits{};
    digits.fill(-1);
    for (int c = 0; c < 10; ++c) digits['0' + c] = qint8(c);
    for (int c = 0; c < 6; ++c) digits['A' + c] = digits['a' + c] = qint8(10 + c);
    return digits;
  }();
  return text.visit([](auto chars) -> std::optional<int> {
    if (chars.size() < 1 || chars.size() > 2) return std::nullopt;
    int value = 0;
    for (const auto c : chars) {
      const auto u = QChar(c).unicode();
      const int digit = u < kDigits.size() ? kDigits[u] : -1;
      if (digit < 0) return std::nullopt;
      value = value * 16 + digit;
    }
    return value;
  });
}

}  // namespace kv
