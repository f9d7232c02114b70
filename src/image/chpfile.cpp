#include "image/chpfile.h"

#include <QCoreApplication>
#include <QStringBuilder>
#include <array>

#include "image/atomicfile.h"
#include "image/boundedreader.h"
#include "image/memoryimage.h"
#include "model/radiomodel.h"
#include "model/signalcodes.h"
#include "model/valuetexts.h"

namespace kv {
namespace {

using namespace errnum;

// Longest part of a line that is kept; a line is never longer than 36 characters when
// written by this program or a radio read, and the rest of a longer one is skipped.
constexpr int kMaxLine = 4096;

class LoadFailure {
 public:
  LoadFailure(int number, const QString& what, int line)
      : error{number, text(number, what, line)} {}
  Failure error;

 private:
  static QString text(int number, const QString& what, int line) {
    QString base;
    switch (number) {
      case kPastEnd:
        base = QCoreApplication::translate("kv::ChpFile", "输入超出文件尾");
        break;
      case kSubscript:
        base = QCoreApplication::translate("kv::ChpFile", "下标越界");
        break;
      case kTypeMismatch:
        base = QCoreApplication::translate("kv::ChpFile", "类型不匹配");
        break;
      default:
        base = QCoreApplication::translate("kv::ChpFile", "无效的属性值");
        break;
    }
    return QCoreApplication::translate("kv::ChpFile", "%1（第%2行%3）")
        .arg(base)
        .arg(line)
        .arg(what);
  }
};

// Reads lines ended by CR LF, LF or CR, keeping at most kMaxLine characters of each.
class LineReader {
 public:
  explicit LineReader(const QByteArray& text) : text_(text) {}

  // Moves to the next line and its tokens, split at each space. Only the first kTokens are
  // kept, as views of one string in a fixed array: the loader reads no further, and a load
  // then allocates almost nothing, which keeps its fuzz target fast.
  void next() {
    const auto line = nextLine();
    if (!line) throw LoadFailure(kPastEnd, QString(), line_);
    text16_.resize(0);  // keeps the storage of the lines before
    text16_.append(QLatin1StringView(*line));
    const QStringView text(text16_);
    count_ = 0;
    for (qsizetype start = 0; count_ < kTokens;) {
      const qsizetype end = text.indexOf(QLatin1Char(' '), start);
      tokens_[count_++] = text.sliced(start, (end < 0 ? text.size() : end) - start);
      if (end < 0) break;
      start = end + 1;
    }
  }

  // The next line as it is, or nothing past the end.
  std::optional<QByteArrayView> nextLine() {
    ++line_;
    if (pos_ >= text_.size()) return std::nullopt;
    // The C library's search: a byte-by-byte loop is slow where coverage is traced.
    const QByteArrayView rest = QByteArrayView(text_).sliced(pos_);
    const qsizetype lf = rest.indexOf('\n');
    const QByteArrayView upToLf = lf < 0 ? rest : rest.first(lf);
    const qsizetype cr = upToLf.indexOf('\r');
    const qsizetype end = pos_ + (cr < 0 ? upToLf.size() : cr);
    const QByteArrayView line =
        QByteArrayView(text_).sliced(pos_, std::min<qsizetype>(end - pos_, kMaxLine));
    pos_ = end;
    if (pos_ < text_.size()) {
      const bool cr = text_[pos_++] == '\r';
      if (cr && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    }
    return line;
  }

  QStringView token(int i) const {
    if (i >= count_)
      throw LoadFailure(
          kSubscript, QCoreApplication::translate("kv::ChpFile", "，缺少第%1项").arg(i + 1), line_);
    return tokens_[i];
  }

  int hex(int i) const {
    const auto v = hexTextToInt(token(i));
    if (!v)
      throw LoadFailure(kTypeMismatch,
                        QCoreApplication::translate("kv::ChpFile", "，“%1”不是数字").arg(token(i)),
                        line_);
    return *v;
  }

  int line() const { return line_; }

 private:
  const QByteArray& text_;
  qsizetype pos_ = 0;
  QString text16_;
  static constexpr int kTokens = 12;  // the address, its two bytes, the length and 8 data bytes
  std::array<QStringView, kTokens> tokens_;
  int count_ = 0;
  int line_ = 0;
};

void checkIndex(int index, int count, const LineReader& in) {
  if (index < 0 || index >= count) throw LoadFailure(kInvalidValue, QString(), in.line());
}

void readSettings(LineReader& in, RadioData& data, bool& modelFound) {
  in.next();
  const auto model = findModelByCode(in.token(4));
  modelFound = model.has_value();
  if (model && *model != data.settings.model) {
    data.settings.model = *model;
    data.clearChannels();  // a model change empties the grid; the channels follow below
  }

  // Flags: monitor, power save, crystal and IF side from bits 7..4.
  const QStringView flagsToken = in.token(8);
  int flags = 0;
  for (int i = 0; i < 2; ++i) {
    const auto digit = hexTextToInt(flagsToken.mid(i, 1));
    if (!digit)
      throw LoadFailure(
          kTypeMismatch,
          QCoreApplication::translate("kv::ChpFile", "，“%1”不是数字").arg(flagsToken), in.line());
    flags = flags * 16 + *digit;
  }
  data.settings.monitor = (flags >> 7) & 1;
  data.settings.powerSave = (flags >> 6) & 1;
  data.tune.jtlx = (flags & 0x20) ? QStringLiteral("1") : QStringLiteral("0");
  data.tune.bjlx = (flags & 0x10) ? QStringLiteral("1") : QStringLiteral("0");

  // Time-out in units of 10 s, rounded to the nearest list entry.
  const int timeout = in.token(9) == QLatin1String("00") ? 0 : qRound(in.hex(9) / 3.0);
  checkIndex(timeout, txTimeoutOptions().size(), in);
  data.settings.txTimeout = timeout;

  bool ok = false;
  const int squelch = in.token(10).toInt(&ok, 10);
  if (!ok)
    throw LoadFailure(
        kTypeMismatch,
        QCoreApplication::translate("kv::ChpFile", "，“%1”不是数字").arg(in.token(10)), in.line());
  checkIndex(squelch, squelchOptions().size(), in);
  data.settings.squelch = squelch;

  static const QStringList trims{"00", "05", "0A", "0F", "14", "19", "1E", "23", "28", "2D", "32"};
  if (const int trim = trims.indexOf(in.token(11)); trim >= 0) data.tune.sPower = trim;

  in.next();
  static const QStringList voices{"FF", "00", "01"};
  if (const int voice = voices.indexOf(in.token(4)); voice >= 0) data.settings.voice = voice;
  if (in.token(5) == QLatin1String("FF"))
    data.settings.scan = 0;
  else if (in.token(5) == QLatin1String("00"))
    data.settings.scan = 1;
}

QString frequencyText(const LineReader& in, int first) {
  const QStringView mid = in.token(first + 2);
  // One allocation: a load makes one of these for every frequency of the file.
  const QString text = in.token(first + 3) % mid.mid(0, 1) % QLatin1Char('.') % mid.mid(1, 1) %
                       in.token(first + 1) % in.token(first);
  // Hexadecimal is read in either case, so "ff" marks an unprogrammed frequency as "FF" does;
  // kept as text, it would be saved as FF and come back as "OFF" only on the next load.
  return text.contains(QLatin1String("FF"), Qt::CaseInsensitive) ? QStringLiteral("OFF") : text;
}

// Sets a signalling cell from the tokens at `first` and `first` + 1, noting a pair that
// names no code of its own type.
void readSignal(const LineReader& in, int first, RadioData& data, int channel, int column,
                QList<UnknownSignal>& unknown) {
  const QStringView type = in.token(first);
  const QStringView number = in.token(first + 1);
  const auto text = decodeSignal(type, number);
  if (!text)
    throw LoadFailure(kTypeMismatch,
                      QCoreApplication::translate("kv::ChpFile", "，“%1”不是数字").arg(number),
                      in.line());
  data.cell(channel, column) = *text;
  if (!namesOwnCode(type, *hexTextToInt(number)))
    unknown.append({channel, column,
                    QStringList{type.toString(), number.toString()}.join(QLatin1Char(' ')), *text});
}

void readChannels(LineReader& in, RadioData& data, QList<UnknownSignal>& unknown) {
  for (int n = 1; n <= kChannelCount; ++n) {
    in.next();
    data.cell(n, kRxFreq) = frequencyText(in, 4);
    data.cell(n, kTxFreq) = frequencyText(in, 8);
    in.next();
    readSignal(in, 4, data, n, kRxSignal, unknown);
    readSignal(in, 6, data, n, kTxSignal, unknown);
    data.cell(n, kBusyLock) =
        in.token(8) == QLatin1String("00") ? QStringLiteral("是") : QStringLiteral("否");
    data.cell(n, kBandwidth) =
        in.token(9) == QLatin1String("FF") ? QStringLiteral("宽") : QStringLiteral("窄");
    static const QStringList powers{"FF", "55", "00"};
    if (const int p = powers.indexOf(in.token(10)); p >= 0)
      data.cell(n, kTxPower) = txPowerOptions().at(p);
  }
}

}  // namespace

LoadResult loadChpFile(const QString& path, RadioData& data) {
  const BoundedRead input = readFileBounded(path, kMaxInputSize);
  switch (input.status) {
    case BoundedRead::Status::Ok:
      break;
    case BoundedRead::Status::NotFound:
      return {LoadStatus::NotFound, {}};
    case BoundedRead::Status::TooLarge:
      return {LoadStatus::Failed,
              {kSubscript, QCoreApplication::translate("kv::ChpFile", "文件过大，不是信道文件")}};
    case BoundedRead::Status::IsDirectory:
      return {LoadStatus::Failed,
              {kFileAccess,
               QCoreApplication::translate("kv::ChpFile", "无法打开文件：这是一个文件夹")}};
    case BoundedRead::Status::Failed:
      return {LoadStatus::Failed,
              {kFileAccess,
               QCoreApplication::translate("kv::ChpFile", "无法打开文件：%1").arg(input.reason)}};
  }
  return loadChpText(input.bytes, data);
}

LoadResult loadChpText(const QByteArray& text, RadioData& data) {
  LineReader in(text);
  LoadResult result;
  try {
    readSettings(in, data, result.modelFound);
    readChannels(in, data, result.unknownSignals);
  } catch (const LoadFailure& failure) {
    result.status = LoadStatus::Failed;
    result.error = failure.error;
  }
  return result;
}

QString unknownSignalsText(const QList<UnknownSignal>& pairs) {
  QString text = QCoreApplication::translate("kv::ChpFile", "以下信令字节无法识别：");
  for (const UnknownSignal& p : pairs)
    text += QCoreApplication::translate("kv::ChpFile", "\n信道%1 %2 %3 → %4")
                .arg(p.channel)
                .arg(columnCaption(p.column), p.bytes,
                     p.readAs.isEmpty() ? QCoreApplication::translate("kv::ChpFile", "（空）")
                                        : p.readAs);
  return text;
}

QString notLoadableFromRadio(const QString& why) {
  return QCoreApplication::translate(
             "kv::ChpFile",
             "对讲机中没有本程序能读入的数据，它可能还没有写过频，或不是本程序支持的机型。详情：%1")
      .arg(why);
}

namespace {

WholeLoad takeWhole(const LoadResult& r, const RadioData& data) {
  WholeLoad whole;
  whole.unknownSignals = r.unknownSignals;
  if (r.status == LoadStatus::NotFound)
    whole.refusal = QCoreApplication::translate("kv::ChpFile", "文件不存在");
  else if (r.status == LoadStatus::Failed)
    whole.refusal = QCoreApplication::translate("kv::ChpFile", "%1（错误%2）")
                        .arg(r.error.description)
                        .arg(r.error.number);
  else if (!r.modelFound)
    whole.refusal = QCoreApplication::translate("kv::ChpFile", "机型代码不是八种机型中的任何一种");
  else
    whole.data = data;
  return whole;
}

}  // namespace

WholeLoad loadWholeChpFile(const QString& path) {
  RadioData data;
  const LoadResult r = loadChpFile(path, data);
  return takeWhole(r, data);
}

WholeLoad loadWholeChpText(const QByteArray& text) {
  RadioData data;
  const LoadResult r = loadChpText(text, data);
  return takeWhole(r, data);
}

QByteArray chpText(const QByteArray& image) {
  // Every line has the same width: "52 AH AL 08", eight " XX" and CR LF. Written in place,
  // as a file is made for every save and every radio read.
  constexpr int kLineSize = 11 + 3 * kBlockSize + 2;
  QByteArray text(kBlockCount * kLineSize, Qt::Uninitialized);
  char* out = text.data();
  const auto put = [&out](quint8 byte) { out = writeHexToken(out, byte); };
  for (int b = 0; b < kBlockCount; ++b) {
    *out++ = '5';
    *out++ = '2';
    *out++ = ' ';
    put(blockAddressHigh(b));
    *out++ = ' ';
    put(blockAddressLow(b));
    *out++ = ' ';
    *out++ = '0';
    *out++ = '8';
    for (int j = 0; j < kBlockSize; ++j) {
      *out++ = ' ';
      put(quint8(image[b * kBlockSize + j]));
    }
    *out++ = '\r';
    *out++ = '\n';
  }
  return text;
}

QByteArray chpImage(const QByteArray& text) {
  QByteArray image(kImageSize, char(0xFF));
  LineReader in(text);
  for (int b = 0; b < kBlockCount; ++b) {
    const auto line = in.nextLine();
    if (!line) break;
    // Token t lies between the t-th space and the next, as the loader splits lines.
    qsizetype start = 0;
    for (int token = 0; token < 4 + kBlockSize && start <= line->size(); ++token) {
      qsizetype end = line->indexOf(' ', start);
      if (end < 0) end = line->size();
      if (token >= 4)
        if (const auto byte = hexTextToInt(line->sliced(start, end - start)))
          image[b * kBlockSize + token - 4] = char(*byte);
      start = end + 1;
    }
  }
  return image;
}

QByteArray scratchLine(const QByteArray& answer) {
  QByteArray line;
  for (char c : answer) line += hexToken(quint8(c)).toLatin1() + ' ';
  return line + "\r\n";
}

std::optional<Failure> saveChpFile(const QString& path, const RadioData& data) {
  const EncodedImage image = encodeImage(data);
  if (!image.ok()) return Failure{kTypeMismatch, image.error->description()};
  if (const auto failure = writeFileAtomically(path, chpText(image.bytes)))
    return Failure{
        kFileAccess,
        QCoreApplication::translate("kv::ChpFile", "无法保存文件“%1”：%2").arg(path, *failure)};
  return std::nullopt;
}

}  // namespace kv
