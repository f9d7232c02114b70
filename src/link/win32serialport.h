#pragma once

#include <QByteArray>

#include "link/serialport.h"

namespace kv {

// A Windows COM port through the Win32 communications API, at the fixed line settings
// "9600,n,8,1". Reads wait in the driver with read time-outs, so no thread spins.
class Win32SerialPort : public SerialPort {
 public:
  ~Win32SerialPort() override;

  // `device` is "COM3" (any number) or a full "\\.\COM3".
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
  // Takes what the driver holds, waiting up to `msecs` for the first byte. A failed read
  // means the line has gone: the port closes.
  void readArrived(int msecs);
  void* handle_ = nullptr;  // the HANDLE; nullptr when closed
  QByteArray received_;
};

}  // namespace kv
