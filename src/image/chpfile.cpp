#include "image/chpfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "image/memoryimage.h"
#include "model/radiomodel.h"
#include "model/signalcodes.h"

namespace kv {
namespace {

using namespace errnum;

// Longest part of a line that is kept; a line is never longer than 36 characters when
// written by this program or a radio read, and the rest of a longer one is skipped.
constexpr int kMaxLine = 4096;
// The 34 lines the loader reads take under 2 KB; past this much the file is not a channel
// file, and reading on through a huge one would only keep the user waiting.
constexpr qint64 kMaxRead = 1 << 20;

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
        base = QStringLiteral("输入超出文件尾");
        break;
      case kSubscript:
        base = QStringLiteral("下标越界");
        break;
      case kTypeMismatch:
        base = QStringLiteral("类型不匹配");
        break;
      default:
        base = QStringLiteral("无效的属性值");
        break;
    }
    return QStringLiteral("%1（第%2行%3）").arg(base).arg(line).arg(what);
  }
};

// Reads lines ended by CR LF, LF or CR, keeping at most kMaxLine characters of each.
class LineReader {
 public:
  explicit LineReader(QFile& file) : file_(file) {}

  QStringList next() {
    ++line_;
    if (file_.atEnd()) throw LoadFailure(kPastEnd, QString(), line_);
    QByteArray text;
    char c;
    while (file_.getChar(&c)) {
      if (file_.pos() > kMaxRead) throw LoadFailure(kSubscript, QStringLiteral("，行过长"), line_);
      if (c == '\n') break;
      if (c == '\r') {
        char n;
        if (file_.getChar(&n) && n != '\n') file_.ungetChar(n);
        break;
      }
      if (text.size() < kMaxLine) text += c;
    }
    tokens_ = QString::fromLatin1(text).split(QLatin1Char(' '));
    return tokens_;
  }

  const QString& token(int i) const {
    if (i >= tokens_.size())
      throw LoadFailure(kSubscript, QStringLiteral("，缺少第%1项").arg(i + 1), line_);
    return tokens_[i];
  }

  int hex(int i) const {
    const auto v = hexTextToInt(token(i));
    if (!v) throw LoadFailure(kTypeMismatch, QStringLiteral("，“%1”不是数字").arg(token(i)), line_);
    return *v;
  }

  int line() const { return line_; }

 private:
  QFile& file_;
  QStringList tokens_;
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
  const QString& flagsToken = in.token(8);
  int flags = 0;
  for (int i = 0; i < 2; ++i) {
    const auto digit = hexTextToInt(flagsToken.mid(i, 1));
    if (!digit)
      throw LoadFailure(kTypeMismatch, QStringLiteral("，“%1”不是数字").arg(flagsToken), in.line());
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
    throw LoadFailure(kTypeMismatch, QStringLiteral("，“%1”不是数字").arg(in.token(10)), in.line());
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
  const QString& mid = in.token(first + 2);
  const QString text = in.token(first + 3) + mid.mid(0, 1) + QLatin1Char('.') + mid.mid(1, 1) +
                       in.token(first + 1) + in.token(first);
  return text.contains(QLatin1String("FF")) ? QStringLiteral("OFF") : text;
}

QString signalText(const LineReader& in, int first) {
  const auto text = decodeSignal(in.token(first), in.token(first + 1));
  if (!text)
    throw LoadFailure(kTypeMismatch, QStringLiteral("，“%1”不是数字").arg(in.token(first + 1)),
                      in.line());
  return *text;
}

void readChannels(LineReader& in, RadioData& data) {
  for (int n = 1; n <= kChannelCount; ++n) {
    in.next();
    data.cell(n, kRxFreq) = frequencyText(in, 4);
    data.cell(n, kTxFreq) = frequencyText(in, 8);
    in.next();
    data.cell(n, kRxSignal) = signalText(in, 4);
    data.cell(n, kTxSignal) = signalText(in, 6);
    data.cell(n, kBusyLock) =
        in.token(8) == QLatin1String("00") ? QStringLiteral("是") : QStringLiteral("否");
    data.cell(n, kBandwidth) =
        in.token(9) == QLatin1String("FF") ? QStringLiteral("宽") : QStringLiteral("窄");
    static const QStringList powers{"FF", "55", "00"};
    if (const int p = powers.indexOf(in.token(10)); p >= 0)
      data.cell(n, kTxPower) = txPowerOptions()[p];
  }
}

}  // namespace

LoadResult loadChpFile(const QString& path, RadioData& data) {
  if (!QFileInfo(path).isFile()) return {LoadStatus::NotFound, {}};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {LoadStatus::Failed,
            {kFileAccess, QStringLiteral("无法打开文件：%1").arg(file.errorString())}};
  LineReader in(file);
  LoadResult result;
  try {
    readSettings(in, data, result.modelFound);
    readChannels(in, data);
  } catch (const LoadFailure& failure) {
    result.status = LoadStatus::Failed;
    result.error = failure.error;
  }
  return result;
}

QByteArray chpText(const QByteArray& image) {
  QByteArray text;
  for (int b = 0; b < kBlockCount; ++b) {
    QStringList tokens{"52", hexToken(blockAddressHigh(b)), hexToken(blockAddressLow(b)), "08"};
    for (int j = 0; j < kBlockSize; ++j) tokens << hexToken(quint8(image[b * kBlockSize + j]));
    text += tokens.join(QLatin1Char(' ')).toLatin1() + "\r\n";
  }
  return text;
}

QByteArray scratchLine(const QByteArray& answer) {
  QByteArray line;
  for (char c : answer) line += hexToken(quint8(c)).toLatin1() + ' ';
  return line + "\r\n";
}

std::optional<Failure> saveChpFile(const QString& path, const RadioData& data) {
  const EncodedImage image = encodeImage(data);
  if (!image.ok()) return Failure{kTypeMismatch, image.error->description()};
  // The old file is replaced only once the new one is complete, so a failed save keeps it.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(chpText(image.bytes)) < 0 || !file.commit())
    return Failure{kFileAccess,
                     QStringLiteral("无法保存文件“%1”：%2").arg(path, file.errorString())};
  return std::nullopt;
}

}  // namespace kv
