#include "link/linkengine.h"

#include <QCoreApplication>

#include "image/atomicfile.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "link/protocol.h"

namespace kv {
namespace {

using namespace protocol;

constexpr int kCyclePauseMs = 100;
constexpr int kFullBar = 128;

}  // namespace

QByteArray blockPacket(char command, int block, const QByteArray& image) {
  QByteArray packet;
  packet += command;
  packet += char(blockAddressHigh(block));
  packet += char(blockAddressLow(block));
  packet += char(kBlockSize);
  if (!image.isEmpty()) packet += image.mid(block * kBlockSize, kBlockSize);
  return packet;
}

LinkEngine::LinkEngine(SerialPort& port, Clock& clock, TransferObserver& observer,
                       LinkSession& session, LinkOptions options)
    : port_(port), clock_(clock), observer_(observer), session_(session), options_(options) {}

bool LinkEngine::send(const QByteArray& bytes) {
  if (pendingFailure_) return false;
  pendingFailure_ = port_.isOpen() ? port_.write(bytes) : portNotOpen();
  return !pendingFailure_;
}

Failure LinkEngine::takePendingFailure() {
  Failure failure = pendingFailure_.value_or(portNotOpen());
  pendingFailure_.reset();
  return failure;
}

// The phases' usual report of a serial error: its description, its number as the title.
bool LinkEngine::reportPendingFailure() {
  if (pendingFailure_) reportError(takePendingFailure());
  return false;
}

Reading LinkEngine::reading() {
  seen_ = arrivals_;
  return text1_.reading();
}

// One pass of the event loop the link code yields to: received bytes go into the receive
// text (while notifications are on) and Timer1 may fire. A wait loop that would only spin
// passes `mayBlock`, and the pass then blocks on the port for at most a slice: always while
// notifications are off (the wait counts the input buffer), otherwise when its last reading
// tells it to go on and nothing has arrived since.
void LinkEngine::pump(bool mayBlock) {
  if (mayBlock && (!threshold_ || arrivals_ == seen_)) {
    // A line that went away (a cable pulled) has closed the port: nothing can arrive any
    // more, so the wait ends with the port's error instead of running into the time-out.
    if (!port_.isOpen()) {
      if (!pendingFailure_) pendingFailure_ = portNotOpen();
      return;
    }
    if (!threshold_ || port_.bytesAvailable() == 0) port_.waitForReadyRead(options_.sliceMs);
  }
  if (port_.isOpen() && threshold_) {
    const QByteArray bytes = port_.readAll();
    if (!bytes.isEmpty()) {
      text1_.append(bytes, session_.byteMode);
      ++arrivals_;
    }
  }
  tickTimer1();
}

void LinkEngine::startTimer1() {
  timer1On_ = true;
  timer1Due_ = clock_.nowMs() + options_.timeoutMs;
}

void LinkEngine::tickTimer1() {
  if (!timer1On_ || clock_.nowMs() < timer1Due_) return;
  observer_.message(linktext::shown(linktext::kNoAnswer), linktext::shown(linktext::kNoAnswerTitle),
                    MessageIcon::Information);
  timer1On_ = false;
  timedOut_ = true;
}

// A wait ends on a cancel, on a time-out where no one can cancel, and on a serial error.
bool LinkEngine::stopRequested() {
  return pendingFailure_ || observer_.cancelled() || (options_.timeoutEndsWaits && timedOut_);
}

void LinkEngine::reportError(const Failure& error) {
  observer_.message(error.description, QString::number(error.number), MessageIcon::Information);
  port_.close();
}

bool LinkEngine::linkHandshake(bool enabled) {
  if (!enabled) return false;
  startTimer1();
  int i = 0;
  Reading r;
  for (;;) {
    if (!send(QByteArray(1, kWakeUp[i]))) {
      stopTimer1();
      return false;
    }
    ++i;
    if (stopRequested()) {
      stopTimer1();
      return false;
    }
    clock_.sleep(kCyclePauseMs);
    // A cancel confirmed during the pause sends nothing more.
    if (stopRequested()) {
      stopTimer1();
      return false;
    }
    r = reading();
    for (int k = 0; k < 3; ++k) pump(false);
    if (i % kWakeUpLength == 0) i = 0;
    if (!timer1On_) return false;
    if (r.isEmpty()) continue;
    // An answer is judged only once it reads longer than two characters: one ACK in text
    // input mode ("60") is not enough.
    while (r.text.size() <= 2) {
      pump(true);
      r = reading();
      if (stopRequested()) {
        stopTimer1();
        return false;
      }
    }
    // Without an ACK the cycle goes on; the text is kept, so later readings begin with it.
    if (r.acknowledges()) break;
  }

  port_.clearOutput();
  port_.clearInput();
  text1_.clear();
  if (!send(QByteArray(1, kClosing))) {
    stopTimer1();
    return false;
  }
  do {  // any answer to the closing byte will do
    r = reading();
    for (int k = 0; k < 3; ++k) pump(r.isEmpty());
    if (stopRequested()) {
      stopTimer1();
      return false;
    }
  } while (r.isEmpty());

  bool success = false;
  if (i == 0) {
    text1_.clear();
    success = true;
  }
  if (timer1On_) {
    stopTimer1();
    success = true;
  }
  return success;
}

bool LinkEngine::waitForAck() {
  startTimer1();
  Reading r;
  do {
    r = reading();
    pump(r.isEmpty());
    if (stopRequested()) {
      stopTimer1();
      return false;
    }
    pump(r.isEmpty());
  } while (r.isEmpty());
  const bool ack = r.acknowledges();
  if (!ack) {
    observer_.message(linktext::shown(linktext::kCommError), QString(), MessageIcon::None);
    text1_.clear();
    port_.close();
  }
  port_.clearInput();
  stopTimer1();
  text1_.clear();
  return ack;
}

bool LinkEngine::SentFromPc(const RadioData& data) {
  observer_.setCaption(linktext::shown(linktext::kConnecting));
  // The whole image is built before the first byte goes out, so a cell that cannot be
  // encoded never leaves a radio half-written.
  const EncodedImage image = encodeImage(data);
  if (!image.ok()) {
    reportError({errnum::kTypeMismatch, image.error->description()});
    return false;
  }
  return sendImage(image.bytes);
}

bool LinkEngine::SentFromPc(const QByteArray& image) {
  observer_.setCaption(linktext::shown(linktext::kConnecting));
  return sendImage(image);
}

bool LinkEngine::sendImage(const QByteArray& image) {
  if (!linkHandshake(true)) return false;
  if (stopRequested()) return false;

  text1_.clear();
  if (!send(QByteArray(1, kWriteMode))) return false;
  startTimer1();
  Reading r;
  do {  // the answer to the mode byte is not judged
    r = reading();
    pump(r.isEmpty());
    pump(r.isEmpty());
    if (stopRequested()) {
      stopTimer1();
      return false;
    }
    pump(r.isEmpty());
    if (!timer1On_) return false;
  } while (r.isEmpty());
  text1_.clear();
  stopTimer1();
  pump(false);
  observer_.setCaption(linktext::shown(linktext::kWriting));

  // A write stops at its first failure: a rejected function block has closed the port, and
  // the channel phase would only add the closed port's error to the message already shown.
  const bool functionsSent = sendFunctionBlocks(image);
  pump(false);
  if (!functionsSent || stopRequested()) return false;
  pump(false);
  const bool channelsSent = sendChannelBlocks(image);
  pump(false);
  return channelsSent;
}

bool LinkEngine::sendFunctionBlocks(const QByteArray& image) {
  // A serial error in this phase is reported here, with its number in the text.
  const auto failed = [&] {
    if (pendingFailure_) {
      const Failure failure = takePendingFailure();
      observer_.message(QCoreApplication::translate("kv::LinkEngine", "错误号：%1%2")
                            .arg(failure.number)
                            .arg(failure.description),
                        QCoreApplication::translate("kv::LinkEngine", "错误"),
                        MessageIcon::Exclamation);
      port_.close();
    }
    return false;
  };
  blocksSent_ = true;
  if (!send(blockPacket(kWriteCommand, 0, image))) return failed();
  observer_.setProgress(1);
  if (!waitForAck()) return failed();
  if (!send(blockPacket(kWriteCommand, 1, image))) return failed();
  if (!waitForAck()) return failed();
  observer_.setProgress(2);
  return true;
}

bool LinkEngine::sendChannelBlocks(const QByteArray& image) {
  int value = 3;
  for (int block = 2; block < kDataBlockCount; ++block) {
    if (!send(blockPacket(kWriteCommand, block, image))) return reportPendingFailure();
    observer_.setProgress(value++);
    if (!waitForAck()) return reportPendingFailure();
  }
  // The radio acknowledges every filler block but the last.
  for (int block = kDataBlockCount; block < kBlockCount; ++block) {
    if (!send(blockPacket(kWriteCommand, block, image))) return reportPendingFailure();
    observer_.setProgress(block);
    if (block != kBlockCount - 1 && !waitForAck()) return reportPendingFailure();
  }
  port_.close();
  return true;
}

bool LinkEngine::receivedFromChip(const QString& scratchPath, const Loader& load) {
  observer_.setCaption(linktext::shown(linktext::kConnecting));
  pump(false);
  text1_.clear();
  if (!linkHandshake(true)) return false;
  text1_.clear();
  if (!send(QByteArray(1, kReadMode))) return false;
  if (!waitForAck()) return false;
  observer_.setCaption(linktext::shown(linktext::kReading));
  const bool complete = readBlocks(scratchPath);
  pump(false);
  // A read stopped during the blocks still loads the lines it stored.
  const bool loaded = load(scratchPath);
  return complete && loaded;
}

bool LinkEngine::readBlocks(const QString& scratchPath) {
  if (stopRequested()) return false;
  port_.clearInput();
  readImage_.clear();
  receivedLines_.clear();
  for (int b = 1;; ++b) {
    if (port_.isOpen()) {
      session_.byteMode = true;
      threshold_ = false;  // the answer stays in the input buffer to be counted
    }
    if (!send(blockPacket(kReadCommand, b - 1))) return reportPendingFailure();
    if (options_.timeoutEndsWaits) startTimer1();
    // The answer is framed by its length: exactly twelve bytes. Fewer, or more in one
    // burst, keep the wait going until a cancel.
    for (;;) {
      if (!port_.isOpen()) {
        stopTimer1();
        pendingFailure_ = portNotOpen();
        return reportPendingFailure();
      }
      if (port_.bytesAvailable() == kPacketSize) break;
      if (stopRequested()) {
        stopTimer1();
        return false;  // the port stays open for the command to close
      }
      pump(true);
    }
    stopTimer1();
    const QByteArray answer = port_.readAll();
    const QByteArray line = scratchLine(answer);
    receivedLines_ += line;
    if (!scratchPath.isEmpty()) {
      if (const auto failure = appendToFile(scratchPath, line)) {
        pendingFailure_ = {errnum::kFileAccess,
                           QCoreApplication::translate("kv::LinkEngine", "无法写入文件“%1”：%2")
                               .arg(scratchPath, *failure)};
        return reportPendingFailure();
      }
    }
    readImage_ += answer.mid(kHeaderSize);
    observer_.setProgress(b);
    if (port_.isOpen()) threshold_ = true;
    if (!send(QByteArray(1, kAck))) return reportPendingFailure();
    if (b == kBlockCount) {
      readComplete_ = true;
      port_.close();
      return true;
    }
    if (!waitForAck()) {
      if (pendingFailure_) return reportPendingFailure();
      port_.close();
      return false;
    }
  }
}

bool LinkEngine::runGuarded(const std::function<bool()>& transfer, const QString& failure) {
  const bool ok = transfer();
  // A serial-layer error that no phase reported skips the full bar and gets the progress
  // window's own message.
  if (pendingFailure_) {
    pendingFailure_.reset();
    observer_.message(failure, linktext::shown(linktext::kPrompt), MessageIcon::Critical);
  } else {
    observer_.setProgress(kFullBar);
  }
  port_.close();
  return ok;
}

bool LinkEngine::runWrite(const RadioData& data) {
  return runGuarded([&] { return SentFromPc(data); }, linktext::shown(linktext::kWriteFailed));
}

bool LinkEngine::runWrite(const QByteArray& image) {
  return runGuarded([&] { return SentFromPc(image); }, linktext::shown(linktext::kWriteFailed));
}

bool LinkEngine::runRead(const QString& scratchPath, const Loader& load) {
  return runGuarded([&] { return receivedFromChip(scratchPath, load); },
                    linktext::shown(linktext::kReadFailed));
}

}  // namespace kv
