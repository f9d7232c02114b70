#include "exchange/chirpformat.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <array>
#include <optional>

#include "exchange/cellentry.h"
#include "exchange/csvtext.h"
#include "model/signalcodes.h"

namespace kv {
namespace {

const QString kOff = QStringLiteral("OFF");
constexpr int kLastTone = 50;  // the tones are entries 1 to 50 of the signalling list

// The header the current release writes; the older one lacks RxDtcsCode, CrossMode and Power.
const QStringList& currentHeader() {
  static const QStringList header = QStringLiteral(
                                        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,"
                                        "cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
                                        "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,"
                                        "DVCODE")
                                        .split(QLatin1Char(','));
  return header;
}

// The columns every release writes that carry a channel's values.
const QStringList& neededColumns() {
  static const QStringList needed{"Location",  "Frequency", "Duplex",   "Offset",       "Tone",
                                  "rToneFreq", "cToneFreq", "DtcsCode", "DtcsPolarity", "Mode"};
  return needed;
}

// Where one side's signalling comes from: a tone column or a code column, or nowhere.
enum class Source { None, RTone, CTone, Dtcs, RxDtcs };

QString columnOf(Source source) {
  static const char* const names[] = {"", "rToneFreq", "cToneFreq", "DtcsCode", "RxDtcsCode"};
  return QLatin1String(names[int(source)]);
}

enum class Kind { Off, Tone, Code };

Kind kindOf(Source source) {
  if (source == Source::None) return Kind::Off;
  return source == Source::RTone || source == Source::CTone ? Kind::Tone : Kind::Code;
}

// The Tone column's modes and, for "Cross", the CrossMode column's; simplest first, the order
// in which the export tries them.
struct ToneMode {
  const char* tone;
  const char* cross;  // empty except for "Cross"
  Source tx;
  Source rx;
};
constexpr std::array<ToneMode, 11> kToneModes{{
    {"", "", Source::None, Source::None},
    {"Tone", "", Source::RTone, Source::None},
    {"TSQL", "", Source::CTone, Source::CTone},
    {"DTCS", "", Source::Dtcs, Source::Dtcs},
    {"Cross", "Tone->Tone", Source::RTone, Source::CTone},
    {"Cross", "Tone->DTCS", Source::RTone, Source::RxDtcs},
    {"Cross", "DTCS->Tone", Source::Dtcs, Source::CTone},
    {"Cross", "->Tone", Source::None, Source::CTone},
    {"Cross", "->DTCS", Source::None, Source::RxDtcs},
    {"Cross", "DTCS->", Source::Dtcs, Source::None},
    {"Cross", "DTCS->DTCS", Source::Dtcs, Source::RxDtcs},
}};
const QString kDefaultCross = QStringLiteral("Tone->Tone");  // what "Cross" alone means

bool isSet(const QString& cell) {
  return !cell.trimmed().isEmpty() && cell.trimmed().compare(kOff, Qt::CaseInsensitive) != 0;
}

std::optional<double> number(const QString& text) {
  if (!isFrequencyNumber(text)) return std::nullopt;
  return text.trimmed().toDouble();
}

QString megahertz(const QString& text) { return QString::number(text.toDouble(), 'f', 6); }

// ---- Export

// One side's signalling as the columns hold it: a tone as "67.0", a code as "023" with its
// polarity letter.
struct Signal {
  Kind kind = Kind::Off;
  QString value;
  QChar polarity = QLatin1Char('N');
};

Signal signalOf(const QString& cell) {
  const QString text = cell.trimmed();
  const int i = int(signalPickList().indexOf(text));
  if (i >= 1 && i <= kLastTone) return {Kind::Tone, QString::number(text.toDouble(), 'f', 1)};
  if (i > kLastTone)
    return {Kind::Code, text.mid(1, 3), QLatin1Char(text.endsWith(QLatin1Char('I')) ? 'R' : 'N')};
  return {};
}

// The signalling columns of a row in `mode`, or nothing when the mode cannot say the two
// sides (a side of the wrong kind, or one column asked to hold two values).
std::optional<QHash<QString, QString>> signallingColumns(const ToneMode& mode, const Signal& tx,
                                                         const Signal& rx) {
  QHash<QString, QString> columns{
      {"rToneFreq", "88.5"}, {"cToneFreq", "88.5"}, {"DtcsCode", "023"}, {"RxDtcsCode", "023"}};
  QSet<QString> used;
  QString polarity = QStringLiteral("NN");
  const std::array<std::pair<Source, const Signal*>, 2> sides{{{mode.tx, &tx}, {mode.rx, &rx}}};
  for (int side = 0; side < 2; ++side) {
    const auto [source, signal] = sides[side];
    if (kindOf(source) != signal->kind) return std::nullopt;
    if (source == Source::None) continue;
    const QString column = columnOf(source);
    if (used.contains(column) && columns[column] != signal->value) return std::nullopt;
    used.insert(column);
    columns[column] = signal->value;
    polarity[side] = signal->polarity;
  }
  columns[QStringLiteral("Tone")] = QLatin1String(mode.tone);
  columns[QStringLiteral("CrossMode")] = *mode.cross ? QLatin1String(mode.cross) : kDefaultCross;
  columns[QStringLiteral("DtcsPolarity")] = polarity;
  return columns;
}

QHash<QString, QString> exportColumns(const RadioData& data, int n) {
  const Signal tx = signalOf(data.cell(n, kTxSignal));
  const Signal rx = signalOf(data.cell(n, kRxSignal));
  QHash<QString, QString> columns;
  for (const ToneMode& mode : kToneModes) {
    if (const auto fitting = signallingColumns(mode, tx, rx)) {
      columns = *fitting;
      break;
    }
  }
  const QString rxFreq = data.cell(n, kRxFreq).trimmed();
  const QString txFreq = data.cell(n, kTxFreq).trimmed();
  columns[QStringLiteral("Location")] = QString::number(n);
  columns[QStringLiteral("Frequency")] = megahertz(rxFreq);
  columns[QStringLiteral("Duplex")] = !isSet(txFreq)     ? QStringLiteral("off")
                                      : txFreq == rxFreq ? QString()
                                                         : QStringLiteral("split");
  columns[QStringLiteral("Offset")] = columns[QStringLiteral("Duplex")] == QLatin1String("split")
                                          ? megahertz(txFreq)
                                          : megahertz(QString());
  columns[QStringLiteral("Mode")] = data.cell(n, kBandwidth) == bandwidthOptions()[1]
                                        ? QStringLiteral("NFM")
                                        : QStringLiteral("FM");
  static const QStringList powers{"High", "Mid", "Low"};
  columns[QStringLiteral("Power")] =
      powers[std::max(0, int(txPowerOptions().indexOf(data.cell(n, kTxPower))))];
  columns[QStringLiteral("TStep")] = QStringLiteral("5.00");
  return columns;
}

// ---- Import

// Column names in lower case to their positions in the header; the first of a repeated name.
using Positions = QHash<QString, qsizetype>;
Positions columnPositions(const QStringList& header) {
  Positions positions;
  for (qsizetype i = 0; i < header.size(); ++i)
    if (const QString name = header[i].trimmed().toLower(); !positions.contains(name))
      positions.insert(name, i);
  return positions;
}

bool namesNeededColumns(const Positions& positions) {
  return std::all_of(neededColumns().begin(), neededColumns().end(),
                     [&](const QString& name) { return positions.contains(name.toLower()); });
}

// One row of the file: its number as a spreadsheet shows it and its fields by column name.
struct Record {
  const Positions* positions;
  QStringList fields;
  qsizetype row;
  bool has(const QString& column) const { return positions->contains(column.toLower()); }
  // Trimmed; empty for a column the header lacks or the row leaves out.
  QString operator[](const QString& column) const {
    return fields.value(positions->value(column.toLower(), fields.size())).trimmed();
  }
};

std::optional<double> watts(const QString& power) {
  static const QRegularExpression watt(QStringLiteral(R"(^(\d+\.?\d*|\.\d+)\s*W?$)"),
                                       QRegularExpression::CaseInsensitiveOption);
  const auto match = watt.match(power);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1).toDouble();
}

// Reads the channel of one row; the first refused value ends it with `error` set.
class RowReader {
 public:
  // `watts`: every power in watts the file's channels use, which rank its rows' powers.
  RowReader(const QString& band, const QList<double>& watts)
      : band_(band),
        mostWatts_(watts.isEmpty() ? 0 : *std::max_element(watts.begin(), watts.end())),
        leastWatts_(watts.isEmpty() ? 0 : *std::min_element(watts.begin(), watts.end())) {}

  std::optional<Channel> read(const Record& record) {
    record_ = &record;
    Channel channel;
    if (!frequencies(channel) || !signalling(channel) || !modeAndPower(channel))
      return std::nullopt;
    channel[kBusyLock] = enterCellValue(kBusyLock, busyLockOptions()[1], band_).text;
    return channel;
  }

  QString error;
  QString message;  // the error in the window's words

 private:
  QString value(const QString& column) const { return (*record_)[column]; }

  // Refuses `value` of `column`: why in the file's words, and `shown` in the window's.
  bool refuse(const QString& column, const QString& value, const QString& why,
              const QString& shown) {
    const QString row = QString::number(record_->row);
    error = QStringLiteral("row %1, column %2: \"%3\" %4").arg(row, column, value, why);
    message =
        QCoreApplication::translate("kv::ChirpFormat", "第%1行 %2列：%3").arg(row, column, shown);
    return false;
  }
  bool refuse(const QString& column, const QString& value, Refusal refusal) {
    return refuse(column, value, refusalText(refusal, band_),
                  refusalMessage(refusal, value, band_));
  }

  // Puts `text` into the channel through the check typing uses; a refusal names `column`
  // and `shown`, the value the file held there.
  bool enter(Channel& channel, int cell, const QString& text, const QString& column,
             const QString& shown) {
    const CellEntry entry = enterCellValue(cell, text, band_);
    if (!entry.ok()) return refuse(column, shown, entry.refusal);
    channel[cell] = entry.text;
    return true;
  }

  bool frequencies(Channel& channel) {
    const QString rx = value("Frequency");
    if (!number(rx)) return refuse("Frequency", rx, Refusal::NotANumber);
    if (!enter(channel, kRxFreq, rx, "Frequency", rx)) return false;
    const QString duplex = value("Duplex").toLower();
    const QString offset = value("Offset");
    if (duplex.isEmpty()) return enter(channel, kTxFreq, rx, "Frequency", rx);
    if (duplex == QLatin1String("off")) return enter(channel, kTxFreq, kOff, "Duplex", duplex);
    if (duplex != QLatin1String("+") && duplex != QLatin1String("-") &&
        duplex != QLatin1String("split"))
      return refuse(
          "Duplex", value("Duplex"),
          QStringLiteral("is not \"\", \"+\", \"-\", \"split\" or \"off\""),
          QCoreApplication::translate("kv::ChirpFormat", "“%1”不是“”、“+”、“-”、“split”或“off”")
              .arg(value("Duplex")));
    const auto shift = number(offset);
    if (!shift) return refuse("Offset", offset, Refusal::NotANumber);
    if (duplex == QLatin1String("split")) return enter(channel, kTxFreq, offset, "Offset", offset);
    // The transmit frequency is what the band and the raster judge, so the message shows it.
    const QString tx =
        QString::number(*number(rx) + (duplex == QLatin1String("+") ? *shift : -*shift), 'f', 6);
    return enter(channel, kTxFreq, tx, "Offset", tx);
  }

  bool signalling(Channel& channel) {
    const QString tone = value("Tone");
    const QString cross = value("CrossMode").isEmpty() ? kDefaultCross : value("CrossMode");
    const bool isCross = tone.compare(QLatin1String("Cross"), Qt::CaseInsensitive) == 0;
    const auto mode = std::find_if(kToneModes.begin(), kToneModes.end(), [&](const ToneMode& m) {
      return tone.compare(QLatin1String(m.tone), Qt::CaseInsensitive) == 0 &&
             (!isCross || cross.compare(QLatin1String(m.cross), Qt::CaseInsensitive) == 0);
    });
    if (mode == kToneModes.end())
      return isCross ? refuse("CrossMode", cross, QStringLiteral("is not a cross mode"),
                              QCoreApplication::translate("kv::ChirpFormat", "“%1”不是交叉模式")
                                  .arg(cross))
                     : refuse("Tone", tone,
                              QStringLiteral("is not \"\", \"Tone\", \"TSQL\", \"DTCS\" or "
                                             "\"Cross\""),
                              QCoreApplication::translate(
                                  "kv::ChirpFormat", "“%1”不是“”、“Tone”、“TSQL”、“DTCS”或“Cross”")
                                  .arg(tone));
    return side(channel, kTxSignal, mode->tx, 0) && side(channel, kRxSignal, mode->rx, 1);
  }

  // One side's signalling from its source; `side` (0 transmit, 1 receive) picks the polarity
  // letter.
  bool side(Channel& channel, int cell, Source source, int side) {
    if (source == Source::None) return enter(channel, cell, kOff, "Tone", value("Tone"));
    // Without a receive code column the receive code is the transmit one.
    const QString column = source == Source::RxDtcs && !record_->has(columnOf(source))
                               ? columnOf(Source::Dtcs)
                               : columnOf(source);
    const QString text = value(column);
    if (kindOf(source) == Kind::Tone) {
      const auto hertz = number(text);
      const QStringList& list = signalPickList();
      for (int i = 1; hertz && i <= kLastTone; ++i)
        if (list[i].toDouble() == *hertz) return enter(channel, cell, list[i], column, text);
      return refuse(
          column, text, QStringLiteral("is not a tone of the signalling list"),
          QCoreApplication::translate("kv::ChirpFormat", "“%1”不是信令列表中的亚音").arg(text));
    }
    static const QRegularExpression polarities(QStringLiteral("^[NR]{2}$"),
                                               QRegularExpression::CaseInsensitiveOption);
    const QString polarity = value("DtcsPolarity");
    if (!polarities.match(polarity).hasMatch())
      return refuse(
          "DtcsPolarity", polarity, QStringLiteral("is not two letters N or R"),
          QCoreApplication::translate("kv::ChirpFormat", "“%1”不是两个字母N或R").arg(polarity));
    static const QRegularExpression octal(QStringLiteral("^[0-7]{1,3}$"));
    const QString code = QStringLiteral("D%1%2")
                             .arg(text, 3, QLatin1Char('0'))
                             .arg(polarity[side].toUpper() == QLatin1Char('R') ? 'I' : 'N');
    if (!octal.match(text).hasMatch() || !signalPickList().contains(code))
      return refuse(
          column, text, QStringLiteral("is not a DCS code of the signalling list"),
          QCoreApplication::translate("kv::ChirpFormat", "“%1”不是信令列表中的数字亚音").arg(text));
    return enter(channel, cell, code, column, text);
  }

  bool modeAndPower(Channel& channel) {
    const QString mode = value("Mode");
    const int narrow = mode.compare(QLatin1String("NFM"), Qt::CaseInsensitive) == 0 ? 1 : 0;
    if (!narrow && mode.compare(QLatin1String("FM"), Qt::CaseInsensitive) != 0)
      return refuse("Mode", mode, QStringLiteral("is not FM or NFM"),
                    QCoreApplication::translate("kv::ChirpFormat", "“%1”不是FM或NFM").arg(mode));
    const QString power = value("Power");
    const auto index = powerIndex(power);
    if (!index)
      return refuse("Power", power,
                    QStringLiteral("is not High, Mid, Med, Low or a power in watts"),
                    QCoreApplication::translate("kv::ChirpFormat",
                                                "“%1”不是High、Mid、Med、Low或以瓦为单位的功率")
                        .arg(power));
    return enter(channel, kBandwidth, bandwidthOptions()[narrow], "Mode", mode) &&
           enter(channel, kTxPower, txPowerOptions()[*index], "Power", power);
  }

  // 高, 中 or 低 by name; in watts the file's highest is 高, its lowest 低, any other 中.
  std::optional<int> powerIndex(const QString& power) const {
    static const QList<QStringList> names{{"High"}, {"Mid", "Med"}, {"Low"}};
    if (power.isEmpty()) return 0;
    for (int i = 0; i < names.size(); ++i)
      if (names[i].contains(power, Qt::CaseInsensitive)) return i;
    const auto w = watts(power);
    if (!w) return std::nullopt;
    return *w == mostWatts_ ? 0 : *w == leastWatts_ ? 2 : 1;
  }

  const QString band_;
  const double mostWatts_;
  const double leastWatts_;
  const Record* record_ = nullptr;
};

}  // namespace

bool isChirpCsv(const QByteArray& csv) {
  // The first record, as the import reads it: a quoted header name may hold a line end.
  return namesNeededColumns(
      columnPositions(csvRecords(decodeCsvText(csv), QLatin1Char(',')).value(0)));
}

QByteArray toChirpCsv(const RadioData& data) {
  QString text = currentHeader().join(QLatin1Char(',')) + QLatin1String("\r\n");
  for (int n = 1; n <= kChannelCount; ++n) {
    if (!isSet(data.cell(n, kRxFreq))) continue;
    const QHash<QString, QString> columns = exportColumns(data, n);
    QStringList fields;
    for (const QString& name : currentHeader()) fields << columns.value(name);
    text += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
  }
  return text.toUtf8();
}

QStringList chirpExportNotes(const RadioData& data) {
  QStringList locked;
  for (int n = 1; n <= kChannelCount; ++n)
    if (isSet(data.cell(n, kRxFreq)) && data.cell(n, kBusyLock) == busyLockOptions()[0])
      locked << QString::number(n);
  if (locked.isEmpty()) return {};
  return {QCoreApplication::translate("kv::ChirpFormat", "繁忙锁定不能写入CHIRP CSV：信道%1",
                                      nullptr, int(locked.size()))
              .arg(locked.join(QCoreApplication::translate("kv::ChirpFormat", "、",
                                                           "between the numbers of a list")))};
}

CsvResult fromChirpCsv(const QByteArray& csv, const RadioData& base, const Bands& bands) {
  const QList<QStringList> records = csvRecords(decodeCsvText(csv), QLatin1Char(','));
  const Positions positions = columnPositions(records.value(0));
  const QString needed = neededColumns().join(QLatin1Char(','));
  if (!namesNeededColumns(positions))
    return refused(QStringLiteral("row 1: the header must name the columns %1").arg(needed),
                   QCoreApplication::translate("kv::ChirpFormat", "第1行：表头必须含有这些列：%1")
                       .arg(needed));
  QList<Record> rows;
  for (qsizetype i = 1; i < records.size(); ++i)
    if (!isBlankRecord(records[i])) rows.append({&positions, records[i], i + 1});

  // Locations name the channels only when every row has its own from 1 to 16; else the rows
  // fill the channels in file order, and those past the sixteenth are left out.
  QSet<int> locations;
  for (const Record& record : rows) {
    bool ok = false;
    const int location = record["Location"].toInt(&ok);
    if (ok && location >= 1 && location <= kChannelCount) locations.insert(location);
  }
  const bool located = locations.size() == rows.size();
  const qsizetype ignored = std::max<qsizetype>(0, rows.size() - kChannelCount);
  rows = rows.mid(0, kChannelCount);

  QList<double> powers;
  bool dropsTexts = false;
  for (const Record& record : rows) {
    if (const auto w = watts(record["Power"])) powers << *w;
    dropsTexts = dropsTexts || !record["Name"].isEmpty() || !record["Skip"].isEmpty() ||
                 !record["Comment"].isEmpty();
  }
  RowReader reader(bandTextOf(bands, base.settings.model), powers);
  CsvResult r{base, {}, {}, {}};
  r.data.clearChannels();
  for (qsizetype k = 0; k < rows.size(); ++k) {
    const auto channel = reader.read(rows[k]);
    if (!channel) return refused(reader.error, reader.message);
    r.data.channels[located ? rows[k]["Location"].toInt() - 1 : k] = *channel;
  }
  if (ignored > 0)
    r.notes << QCoreApplication::translate("kv::ChirpFormat", "超出16个信道的%n行已忽略", nullptr,
                                           int(ignored));
  if (dropsTexts)
    r.notes << QCoreApplication::translate("kv::ChirpFormat",
                                           "信道名称、跳过和备注不会写入对讲机，已忽略");
  return r;
}

}  // namespace kv
