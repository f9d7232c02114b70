#include "link/linkcheck.h"

#include <QFileInfo>
#include <algorithm>

#include "image/memoryimage.h"
#include "link/cablechips.h"
#include "link/protocol.h"
#include "link/serialportfactory.h"
#include "model/radiomodel.h"

namespace kv {
namespace {

using namespace protocol;

// Passes the port on and keeps every byte that went either way, and the line's own failure.
class TappedPort : public SerialPort {
 public:
  explicit TappedPort(SerialPort& port) : port_(port) {}

  std::optional<Failure> open(const QString& device) override { return port_.open(device); }
  bool isOpen() const override { return port_.isOpen(); }
  void close() override {
    closed_ = true;
    port_.close();
  }
  std::optional<Failure> write(const QByteArray& bytes) override {
    auto failure = port_.write(bytes);
    if (failure && !lineFailure) lineFailure = failure;
    if (!failure) sent += bytes;
    return failure;
  }
  qint64 bytesAvailable() override { return port_.bytesAvailable(); }
  QByteArray readAll() override {
    const QByteArray bytes = port_.readAll();
    received += bytes;
    return bytes;
  }
  bool waitForReadyRead(int msecs) override {
    const bool arrived = port_.waitForReadyRead(msecs);
    // A line that went away closes the port on its own.
    if (!port_.isOpen() && !closed_ && !lineFailure) lineFailure = portNotOpen();
    return arrived;
  }
  // What the link code throws away has still come back.
  void clearInput() override {
    readAll();
    port_.clearInput();
  }
  void clearOutput() override { port_.clearOutput(); }

  QByteArray sent;
  QByteArray received;
  std::optional<Failure> lineFailure;

 private:
  SerialPort& port_;
  bool closed_ = false;
};

// Shows the progress of the check's read under the check's own caption; the transfer's
// messages are not shown, as the verdict says what they would have said.
class QuietObserver : public TransferObserver {
 public:
  explicit QuietObserver(TransferObserver& shown) : shown_(shown) {}
  void setCaption(const QString&) override {}
  void setProgress(int value) override { shown_.setProgress(value); }
  void message(const QString&, const QString&, MessageIcon) override {}
  bool cancelled() override { return shown_.cancelled(); }

 private:
  TransferObserver& shown_;
};

// What the radio's side of the line did, from the bytes both ways of a read that did not
// finish.
Verdict sortAnswer(const QByteArray& sent, const QByteArray& received) {
  // The closing byte goes out only once the wake-up has been acknowledged.
  const bool acknowledged = sent.contains(kClosing);
  const bool onlyAnswers = std::all_of(received.begin(), received.end(),
                                       [](char byte) { return byte == kAck || byte == kNak; });
  if (received.endsWith(kNak) && (acknowledged || onlyAnswers)) return Verdict::Refused;
  if (acknowledged) return Verdict::Interrupted;
  if (received.isEmpty()) return Verdict::Silent;
  if (sent.contains(received)) return Verdict::Echo;
  return Verdict::Garbled;
}

}  // namespace

QString verdictCode(Verdict verdict) {
  static const char* const kCodes[] = {"no-port", "busy",    "no-access",   "silent", "echo",
                                       "garbled", "refused", "interrupted", "ok"};
  return QLatin1String(kCodes[int(verdict)]);
}

LinkCheck::LinkCheck(SerialPort& port, Clock& clock, TransferObserver& observer,
                     LinkOptions options)
    : port_(port), clock_(clock), observer_(observer), options_(options) {
  options_.timeoutEndsWaits = true;
}

CheckResult LinkCheck::run(const PortInfo& port) {
  observer_.setCaption(LinkCheck::tr("正在检测连接。。。"));
  CheckResult result = examine(port);
  result.cancelled = observer_.cancelled();
  return result;
}

CheckResult LinkCheck::examine(const PortInfo& port) {
  CheckResult result;
  result.port = port;
  // Nothing is opened for these: an open would toggle the modem lines of a radio on the cable.
  if (const auto failure = portAccessFailure(port.device)) {
    result.verdict = failure->number == errnum::kPortBusy ? Verdict::NoAccess : Verdict::NoPort;
    result.reason = failure->description;
    return result;
  }
  result.holders = portHolders(port.device);
  if (!result.holders.isEmpty()) {
    result.verdict = Verdict::Busy;
    return result;
  }
  // The port is taken as a transfer takes it, so a check never runs on a port in use.
  if (const auto failure = port_.open(port.device)) {
    result.reason = failure->description;
    if (failure->number == errnum::kPortBusy) {
      result.verdict = Verdict::Busy;
      result.holders = portTakers();
      result.holdersGuessed = true;
    }
    return result;
  }
  listen(result);
  port_.close();
  return result;
}

void LinkCheck::listen(CheckResult& result) {
  TappedPort tap(port_);
  QuietObserver quiet(observer_);
  // A line of its own: the receive mode starts as a run's first transfer has it.
  LinkSession session;
  LinkEngine engine(tap, clock_, quiet, session, options_);
  const bool complete = engine.runRead(QString(), [](const QString&) { return true; });
  result.blocksRead = int(engine.readImage().size() / kBlockSize);
  if (complete) {
    const int code = quint8(engine.readImage().at(0));
    result.verdict = Verdict::Ok;
    result.modelCode = hexToken(code);
    result.model = findModelByCode(result.modelCode);
    return;
  }
  result.verdict = sortAnswer(tap.sent, tap.received);
  // A line that failed before the radio answered: the port is not one to use.
  if (tap.lineFailure && result.verdict != Verdict::Interrupted &&
      result.verdict != Verdict::Refused) {
    result.verdict = Verdict::NoPort;
    result.reason = tap.lineFailure->description;
  }
}

CheckResult checkPort(const PortInfo& port, TransferObserver& observer,
                      const LinkOptions& options) {
  const std::unique_ptr<SerialPort> serial = makeSerialPort();
  SystemClock clock;
  return LinkCheck(*serial, clock, observer, options).run(port);
}

// --- The words --------------------------------------------------------------------------

namespace {

QString cableText(const PortInfo& port) {
  if (!port.isUsb()) return LinkCheck::tr("不是USB串口（主板上的串口或虚拟串口）");
  const auto chip = cableChip(*port.vendorId, *port.productId);
  QString text = LinkCheck::tr("%1，USB %2")
                     .arg(chip ? QString::fromLatin1(chip->name) : LinkCheck::tr("未知的USB串口"),
                          port.usbId());
  if (!port.serialNumber.isEmpty())
    text = LinkCheck::tr("%1，序列号 %2").arg(text, port.serialNumber);
  if (chip)
    text = LinkCheck::tr("%1（Windows 驱动：%2）").arg(text, QString::fromLatin1(chip->driver));
  return text;
}

QString holdersText(const QList<PortHolder>& holders) {
  QStringList names;
  for (const PortHolder& holder : holders)
    names << LinkCheck::tr("%1（进程 %2）").arg(holder.name).arg(holder.pid);
  return names.join(LinkCheck::tr("、"));
}

// What frees the port from the programs that hold it: the service that takes USB adapters is
// told to leave this one alone; brltty is never removed, braille users need it.
QString busyAdvice(const CheckResult& result) {
  const auto holds = [&](const char* name) {
    return std::any_of(result.holders.begin(), result.holders.end(),
                       [&](const PortHolder& h) { return h.name == QLatin1String(name); });
  };
  const PortInfo& port = result.port;
  QStringList advice;
  if (holds("brltty")) {
    advice << (port.isUsb()
                   ? LinkCheck::tr(
                         "brltty 是盲文显示器的服务，盲人用户需要它，请不要卸载。要让它放开这根"
                         "编程线：把 /usr/lib/udev/rules.d/85-brltty.rules 复制到 "
                         "/etc/udev/rules.d/，在副本中含有“%1”的那一行行首加“#”，运行 sudo "
                         "udevadm control --reload，再重新插上编程线。")
                         .arg(QStringLiteral("%1/%2")
                                  .arg(*port.vendorId, 0, 16)
                                  .arg(*port.productId, 0, 16))
                   : LinkCheck::tr(
                         "brltty 是盲文显示器的服务，盲人用户需要它，请不要卸载。它按 "
                         "/etc/brltty.conf 中的 braille-device 设置打开串口：请把这一项改为盲文"
                         "显示器所在的端口，再运行 sudo systemctl restart brltty。"));
  }
  if (holds("ModemManager")) {
    const QString rule = port.isUsb()
                             ? QStringLiteral(
                                   "ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\", "
                                   "ENV{ID_MM_DEVICE_IGNORE}=\"1\"")
                                   .arg(*port.vendorId, 4, 16, QLatin1Char('0'))
                                   .arg(*port.productId, 4, 16, QLatin1Char('0'))
                             : QStringLiteral("KERNEL==\"%1\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"")
                                   .arg(QFileInfo(port.device).fileName());
    advice << LinkCheck::tr(
                  "ModemManager 把这个端口当作调制解调器来探测。要让它不再打开这个端口：新建文件 "
                  "/etc/udev/rules.d/99-kvprog.rules，写入一行 %1，再运行 sudo udevadm control "
                  "--reload 和 sudo udevadm trigger。不用调制解调器的电脑也可以运行 sudo "
                  "systemctl disable --now ModemManager。")
                  .arg(rule);
  }
  if (advice.isEmpty())
    advice << LinkCheck::tr(
        "请关闭正在使用这个端口的程序（其他编程软件、串口调试工具等），再检测一次。");
  return advice.join(QLatin1Char('\n'));
}

QString verdictText(const CheckResult& result) {
  switch (result.verdict) {
    case Verdict::NoPort:
      return LinkCheck::tr("%1。").arg(result.reason);
    case Verdict::Busy:
      if (result.holders.isEmpty()) return LinkCheck::tr("端口被其他程序占用。");
      return (result.holdersGuessed ? LinkCheck::tr("端口被其他程序占用，可能是：%1。")
                                    : LinkCheck::tr("端口被其他程序占用：%1。"))
          .arg(holdersText(result.holders));
    case Verdict::NoAccess:
      return LinkCheck::tr("没有权限打开%1。").arg(result.port.device);
    case Verdict::Silent:
      return LinkCheck::tr("对讲机没有回应。");
    case Verdict::Echo:
      return LinkCheck::tr("收到的正是发出的数据：编程线有回声，但对讲机没有回应。");
    case Verdict::Garbled:
      return LinkCheck::tr(
          "收到的数据不是对讲机的回答：可能是速率不对、接的是别的设备，或线路有干扰。");
    case Verdict::Refused:
      return LinkCheck::tr("对讲机拒绝了编程请求。");
    case Verdict::Interrupted:
      return LinkCheck::tr("对讲机有回应，但读取在%1/%2处中断。")
          .arg(result.blocksRead)
          .arg(kBlockCount);
    case Verdict::Ok:
      if (result.model)
        return LinkCheck::tr("对讲机工作正常：%1。可以读频和写频。")
            .arg(QString::fromUtf8(radioModels()[*result.model].name));
      return LinkCheck::
          tr("对讲机工作正常，但型号代码%1不是已知的型号。可以读频；写频前请先选择对讲机的型号。")
              .arg(result.modelCode);
  }
  return {};
}

QString adviceText(const CheckResult& result) {
  switch (result.verdict) {
    case Verdict::NoPort:
      return LinkCheck::tr("请插好编程线，再选择它所在的端口。");
    case Verdict::Busy:
      return busyAdvice(result);
    case Verdict::NoAccess:
      return LinkCheck::tr(
          "请把当前用户加入 dialout 组（sudo usermod -aG dialout $USER），然后重新登录。");
    case Verdict::Silent:
      return LinkCheck::tr("请确认对讲机已开机、编程线插头已插到底、选择的端口是编程线的端口。");
    case Verdict::Echo:
      return LinkCheck::tr("请把插头插紧，或换一根编程线。");
    case Verdict::Garbled:
      return LinkCheck::tr(
          "请确认选择的是编程线的端口、插头插在对讲机上；仍然这样时，请换一根编程线。");
    case Verdict::Refused:
      return LinkCheck::tr("请把对讲机关机再开机，在待机状态下再检测一次。");
    case Verdict::Interrupted:
      return LinkCheck::tr(
          "请把插头插紧，检测时不要碰动编程线，再检测一次；总是中断时，请换一根编程线。");
    case Verdict::Ok:
      break;
  }
  return {};
}

}  // namespace

QString CheckReport::text() const {
  if (advice.isEmpty()) return verdict;
  // Chinese runs the sentences on; English puts a space between them.
  return LinkCheck::tr("%1%2").arg(verdict, advice);
}

CheckReport describe(const CheckResult& result) {
  return {cableText(result.port), verdictText(result), adviceText(result)};
}

}  // namespace kv
