#pragma once

#include <QCoreApplication>

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "link/clock.h"
#include "link/receivetext.h"
#include "link/serialport.h"
#include "link/transferobserver.h"
#include "model/radiodata.h"

namespace kv {

struct LinkOptions {
  int timeoutMs = 60000;  // Timer1
  // The longest a wait blocks on the port before it looks at the cancel flag and the
  // time-out again.
  int sliceMs = 20;
  // Where the progress window would keep waiting after the time-out message until someone
  // presses Cancel (an acknowledgement wait, a read's block wait), end the transfer instead.
  // For callers with no one to press Cancel.
  bool timeoutEndsWaits = false;
};

// Captions and messages of the radio link.
namespace linktext {
inline const QString kConnecting =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "正在连接对讲机。。。"));
inline const QString kWriting =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "正在向对讲机写入数据。。。"));
inline const QString kReading =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "正在从对讲机读取数据。。。"));
inline const QString kNoAnswer =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "通信端口没有响应，请确保连接正确和电源打开"));
inline const QString kNoAnswerTitle = QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "信息提示"));
inline const QString kCommError = QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "通信错误"));
inline const QString kWriteFailed =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "写频错误，请重新写频"));
inline const QString kReadFailed =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "读频错误，请重新读频"));
inline const QString kPrompt = QStringLiteral(QT_TRANSLATE_NOOP("kv::linktext", "提示"));
// One of the texts above in the current language.
inline QString shown(const QString& text) {
  return QCoreApplication::translate("kv::linktext", text.toUtf8().constData());
}
}  // namespace linktext

// One read or write transfer over an open port. Synchronous: every wait blocks on the port
// for at most a slice, then looks at the cancel flag and the time-out.
class LinkEngine {
 public:
  // Loads the read's scratch file into the document; false when the load failed.
  using Loader = std::function<bool(const QString& scratchPath)>;

  LinkEngine(SerialPort& port, Clock& clock, TransferObserver& observer, LinkSession& session,
             LinkOptions options = {});

  // A whole transfer as the progress window runs it: the transfer, then the bar full and the
  // port closed. An error that no phase reported itself gives the window's own message.
  // True when every block went through (and, for a read, the load succeeded).
  bool runWrite(const RadioData& data);
  // The same for a whole memory image made elsewhere (one that keeps a radio's own alignment).
  bool runWrite(const QByteArray& image);
  bool runRead(const QString& scratchPath, const Loader& load);

  // The steps of a transfer. A serial-layer error that a step does not report itself ends
  // the step with false and stays pending for runWrite and runRead to report
  // (pendingFailure); nothing is thrown.
  bool SentFromPc(const RadioData& data);
  bool SentFromPc(const QByteArray& image);
  bool receivedFromChip(const QString& scratchPath, const Loader& load);
  bool linkHandshake(bool enabled);
  bool waitForAck();
  bool sendFunctionBlocks(const QByteArray& image);
  bool sendChannelBlocks(const QByteArray& image);
  // An empty scratch path keeps the blocks in readImage only.
  bool readBlocks(const QString& scratchPath);

  // True once the time-out message has been shown.
  bool timedOut() const { return timedOut_; }
  // True once a read has stored all 128 blocks and acknowledged the last.
  bool readComplete() const { return readComplete_; }
  // The data bytes of the blocks a read has stored so far, in block order: the whole
  // memory image once the read is complete.
  const QByteArray& readImage() const { return readImage_; }
  // The lines of the scratch file for the blocks a read has received so far.
  const QByteArray& receivedLines() const { return receivedLines_; }
  // True once a write has begun sending blocks: a write that ends after this may have left
  // the radio holding old and new data mixed.
  bool blocksSent() const { return blocksSent_; }
  // A serial-layer error that ended a step and that no phase has reported.
  const std::optional<Failure>& pendingFailure() const { return pendingFailure_; }

 private:
  bool send(const QByteArray& bytes);
  // The write from the handshake on.
  bool sendImage(const QByteArray& image);
  Failure takePendingFailure();
  bool reportPendingFailure();
  Reading reading();
  void pump(bool mayBlock);
  void startTimer1();
  void stopTimer1() { timer1On_ = false; }
  void tickTimer1();
  bool stopRequested();
  void reportError(const Failure& error);
  bool runGuarded(const std::function<bool()>& transfer, const QString& failure);

  SerialPort& port_;
  Clock& clock_;
  TransferObserver& observer_;
  LinkSession& session_;
  LinkOptions options_;
  ReceiveText text1_;
  bool threshold_ = true;  // receive notifications on: arrivals go into Text1
  quint64 arrivals_ = 0;   // chunks appended to Text1 so far
  quint64 seen_ = 0;       // arrivals_ at the last reading
  bool timer1On_ = false;
  qint64 timer1Due_ = 0;
  bool timedOut_ = false;
  bool readComplete_ = false;
  QByteArray readImage_;
  QByteArray receivedLines_;
  bool blocksSent_ = false;
  std::optional<Failure> pendingFailure_;
};

// A block packet: command byte, address high and low, 0x08, and for a write the 8 data
// bytes of that block of the image.
QByteArray blockPacket(char command, int block, const QByteArray& image = {});

}  // namespace kv
