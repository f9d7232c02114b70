#pragma once

#include <QSerialPort>

#include "link/serialport.h"

namespace kv {

// The PC's serial port at the fixed line settings "9600,n,8,1". Create it in the thread
// that runs the transfer: the port belongs to that thread.
class SystemSerialPort : public SerialPort {
 public:
  // Opens the device (a path such as /dev/ttyUSB0, or COM3 on Windows) for a transfer:
  // 9600 baud, no parity, 8 data bits, 1 stop bit, no flow control, DTR asserted, RTS not,
  // input discarded.
  std::optional<Failure> open(const QString& device);

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

// The serial ports the system lists, in name order, after the devices named in the
// environment variable KVPROG_PORTS (colon-separated, e.g. a kvsim pseudo-terminal): the
// port dialog's buttons COM1..COM4 stand for the first four. On Windows the system's ports
// are the COM names themselves.
QStringList listSerialPorts();

// The device a port name stands for: "COM1".."COM4" (any letter case) name the port
// dialog's buttons, anything else is taken as a device path. Nothing when the button has
// no port behind it.
std::optional<QString> resolvePortName(const QString& name);

// The device behind the port dialog's button `index` (0 for COM1).
std::optional<QString> portDevice(int index);

}  // namespace kv
