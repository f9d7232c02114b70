#pragma once

#include <QSerialPort>

#include "link/serialport.h"

namespace kv {

// The PC's serial port at the fixed line settings "9600,n,8,1". Create it in the thread
// that runs the transfer: the port belongs to that thread.
class SystemSerialPort : public SerialPort {
 public:
  // 9600 baud, no parity, 8 data bits, 1 stop bit, no flow control, DTR asserted, RTS not,
  // input discarded.
  std::optional<Failure> open(const QString& device) override;

  bool isOpen() const override;
  void close() override;
  std::optional<Failure> write(const QByteArray& bytes) override;
  qint64 bytesAvailable() override;
  QByteArray readAll() override;
  bool waitForReadyRead(int msecs) override;
  void clearInput() override;
  void clearOutput() override;

 private:
  void closeIfLineLost();
  void takeArrived();
  QSerialPort port_;
};

}  // namespace kv
