#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "model/failure.h"

namespace kv {

// Error numbers of the serial layer, as the program has always reported them.
namespace errnum {
constexpr int kPortNotFound = 8002;
constexpr int kPortBusy = 8005;
constexpr int kPortIo = 8015;
constexpr int kPortNotOpen = 8018;
}  // namespace errnum

// The serial layer's answer to an operation on a closed port.
Failure portNotOpen();
// A port that another program holds, or that refuses this user; `reason` is the system's.
Failure portBusy(const QString& device, const QString& reason);
// A port that would not open for any other reason.
Failure portOpenFailed(const QString& device, const QString& reason);

// The radio's serial line as the transfers use it: bytes out, bytes waiting in the input
// buffer, and a blocking wait for more. Implementations are used by one thread at a time.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the device (a path such as /dev/ttyUSB0, or COM3 on Windows) for a transfer at the
  // fixed line settings "9600,n,8,1", DTR asserted, input discarded; nothing when it is open.
  virtual std::optional<Failure> open(const QString& device) = 0;
  virtual bool isOpen() const = 0;
  virtual void close() = 0;
  // Sends the bytes in one piece; an error when the port is closed or the line fails.
  virtual std::optional<Failure> write(const QByteArray& bytes) = 0;
  virtual qint64 bytesAvailable() = 0;
  virtual QByteArray readAll() = 0;
  // Blocks until more bytes have arrived or `msecs` have passed; false on time-out. A line
  // that has gone away closes the port.
  virtual bool waitForReadyRead(int msecs) = 0;
  virtual void clearInput() = 0;
  virtual void clearOutput() = 0;
};

}  // namespace kv
