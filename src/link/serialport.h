#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace kv {

// A serial-layer failure as the user sees it: the number is the message box's title, the
// description its text.
struct LinkError {
  int number = 0;
  QString description;
};

// Error numbers of the serial layer, as the program has always reported them.
namespace linkerror {
constexpr int kPortNotFound = 8002;
constexpr int kPortBusy = 8005;
constexpr int kPortIo = 8015;
constexpr int kPortNotOpen = 8018;
constexpr int kFileAccess = 75;
constexpr int kTypeMismatch = 13;
LinkError portNotOpen();
}  // namespace linkerror

// The radio's serial line as the transfers use it: bytes out, bytes waiting in the input
// buffer, and a blocking wait for more. Implementations are used by one thread at a time.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  virtual bool isOpen() const = 0;
  virtual void close() = 0;
  // Sends the bytes in one piece; an error when the port is closed or the line fails.
  virtual std::optional<LinkError> write(const QByteArray& bytes) = 0;
  virtual qint64 bytesAvailable() = 0;
  virtual QByteArray readAll() = 0;
  // Blocks until more bytes have arrived or `msecs` have passed; false on time-out. A line
  // that has gone away closes the port.
  virtual bool waitForReadyRead(int msecs) = 0;
  virtual void clearInput() = 0;
  virtual void clearOutput() = 0;
};

}  // namespace kv
