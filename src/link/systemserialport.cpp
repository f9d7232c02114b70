#include "link/systemserialport.h"

#include <QCoreApplication>

#include "link/portlist.h"

namespace kv {
namespace {

// Longest a single packet may take to leave the PC before the line counts as failed.
constexpr int kWriteTimeoutMs = 2000;

}  // namespace

std::optional<Failure> SystemSerialPort::open(const QString& device) {
  if (port_.isOpen()) return std::nullopt;
  port_.setPortName(device);
  port_.setBaudRate(QSerialPort::Baud9600);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  port_.setReadBufferSize(0);
  if (!port_.open(QIODevice::ReadWrite)) {
    const QSerialPort::SerialPortError error = port_.error();
    const QString reason = port_.errorString();
    port_.clearError();
    if (error == QSerialPort::DeviceNotFoundError) return portNotFound(device);
    if (error == QSerialPort::PermissionError) {
      // A port the user may not open says what mends it; a busy or locked one does not.
      if (const auto denied = portAccessFailure(device)) return *denied;
      return portBusy(device, reason);
    }
    return portOpenFailed(device, reason);
  }
  // Some lines (a pseudo-terminal, some adapters) have no modem controls; the radio does
  // not need them, so a refusal does not stop the transfer.
  port_.setDataTerminalReady(true);
  port_.setRequestToSend(false);
  port_.clearError();
  port_.clear(QSerialPort::Input);
  return std::nullopt;
}

bool SystemSerialPort::isOpen() const { return port_.isOpen(); }

void SystemSerialPort::close() {
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

std::optional<Failure> SystemSerialPort::write(const QByteArray& bytes) {
  if (!port_.isOpen()) return portNotOpen();
  bool ok = port_.write(bytes) == bytes.size();
  while (ok && port_.bytesToWrite() > 0) ok = port_.waitForBytesWritten(kWriteTimeoutMs);
  if (ok) return std::nullopt;
  const Failure error{errnum::kPortIo,
                      QCoreApplication::translate("kv::SystemSerialPort", "端口写入失败：%1")
                          .arg(port_.errorString())};
  closeIfLineLost();
  return error;
}

qint64 SystemSerialPort::bytesAvailable() {
  takeArrived();
  return port_.isOpen() ? port_.bytesAvailable() : 0;
}

QByteArray SystemSerialPort::readAll() {
  takeArrived();
  return port_.isOpen() ? port_.readAll() : QByteArray();
}

// Without an event loop the port learns of arrived bytes only when asked to wait; a wait
// of no time takes what the system holds without blocking.
void SystemSerialPort::takeArrived() {
  if (port_.isOpen()) waitForReadyRead(0);
}

bool SystemSerialPort::waitForReadyRead(int msecs) {
  if (!port_.isOpen()) return false;
  if (port_.waitForReadyRead(msecs)) return true;
  closeIfLineLost();
  return false;
}

// A line that has gone away (an unplugged adapter, a closed emulator) fails every wait at
// once, as a resource error or as a read that finds the end of the line; closing the port
// keeps the waits from spinning on it.
void SystemSerialPort::closeIfLineLost() {
  const QSerialPort::SerialPortError error = port_.error();
  if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) port_.close();
  port_.clearError();
}

void SystemSerialPort::clearInput() {
  if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

void SystemSerialPort::clearOutput() {
  if (port_.isOpen()) port_.clear(QSerialPort::Output);
}

}  // namespace kv
