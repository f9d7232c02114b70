#include "link/win32serialport.h"

#include <QCoreApplication>

#include <windows.h>

#include <limits>

#include "link/portlist.h"

namespace kv {
namespace {

// Longest a single packet may take to leave the PC before the line counts as failed.
constexpr DWORD kWriteTimeoutMs = 2000;

QString systemMessage(DWORD error) { return qt_error_string(static_cast<int>(error)); }

// "\\.\COM10": the form that opens every port, also those above COM9.
std::wstring devicePath(const QString& device) {
  const QString prefix = QStringLiteral("\\\\.\\");
  return (device.startsWith(prefix) ? device : prefix + device).toStdWString();
}

// The read time-outs that make ReadFile return as soon as a byte is there, or after `msecs`
// with nothing; 0 returns at once with what the driver holds.
COMMTIMEOUTS timeoutsFor(int msecs) {
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  if (msecs > 0) {
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(msecs);
  }
  timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
  return timeouts;
}

}  // namespace

Win32SerialPort::~Win32SerialPort() { close(); }

std::optional<Failure> Win32SerialPort::open(const QString& device) {
  if (handle_) return std::nullopt;
  const HANDLE port = CreateFileW(devicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return portNotFound(device);
    const QString reason = systemMessage(error);
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
      return portBusy(device, reason);
    return portOpenFailed(device, reason);
  }
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  bool ok = GetCommState(port, &dcb);
  dcb.BaudRate = CBR_9600;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  // Some lines (a pseudo-terminal behind Wine, some adapters) have no modem controls; the
  // radio does not need them, so the line settings are tried again without DTR.
  if (ok && !SetCommState(port, &dcb)) {
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    ok = SetCommState(port, &dcb);
  }
  COMMTIMEOUTS timeouts = timeoutsFor(0);
  ok = ok && SetCommTimeouts(port, &timeouts);
  if (!ok) {
    const QString reason = systemMessage(GetLastError());
    CloseHandle(port);
    return portOpenFailed(device, reason);
  }
  PurgeComm(port, PURGE_RXCLEAR | PURGE_RXABORT);
  handle_ = port;
  received_.clear();
  return std::nullopt;
}

bool Win32SerialPort::isOpen() const { return handle_ != nullptr; }

void Win32SerialPort::close() {
  if (!handle_) return;
  CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  received_.clear();
}

std::optional<Failure> Win32SerialPort::write(const QByteArray& bytes) {
  if (!handle_) return portNotOpen();
  qsizetype sent = 0;
  while (sent < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(
        std::min<qsizetype>(bytes.size() - sent, std::numeric_limits<int>::max()));
    if (!WriteFile(static_cast<HANDLE>(handle_), bytes.constData() + sent, chunk, &written,
                   nullptr)) {
      // The line has gone (an unplugged adapter): the port closes, as on Linux.
      const Failure failure{errnum::kPortIo,
                            QCoreApplication::translate("kv::SystemSerialPort", "端口写入失败：%1")
                                .arg(systemMessage(GetLastError()))};
      close();
      return failure;
    }
    // The write time-out passed with nothing taken: the line is stuck.
    if (written == 0)
      return Failure{errnum::kPortIo,
                     QCoreApplication::translate("kv::SystemSerialPort", "端口写入失败：写入超时")};
    sent += written;
  }
  return std::nullopt;
}

void Win32SerialPort::readArrived(int msecs) {
  if (!handle_) return;
  const HANDLE port = static_cast<HANDLE>(handle_);
  COMMTIMEOUTS timeouts = timeoutsFor(msecs);
  char buffer[4096];
  DWORD got = 0;
  if (!SetCommTimeouts(port, &timeouts) || !ReadFile(port, buffer, sizeof buffer, &got, nullptr)) {
    close();
    return;
  }
  received_.append(buffer, got);
  // The first read returns as soon as a byte is there; what followed it is taken at once.
  while (got == sizeof buffer) {
    timeouts = timeoutsFor(0);
    if (!SetCommTimeouts(port, &timeouts) || !ReadFile(port, buffer, sizeof buffer, &got, nullptr))
      break;
    received_.append(buffer, got);
  }
}

qint64 Win32SerialPort::bytesAvailable() {
  readArrived(0);
  return received_.size();
}

QByteArray Win32SerialPort::readAll() {
  readArrived(0);
  return std::exchange(received_, {});
}

bool Win32SerialPort::waitForReadyRead(int msecs) {
  const qsizetype before = received_.size();
  readArrived(msecs);
  return received_.size() > before;
}

void Win32SerialPort::clearInput() {
  if (handle_) PurgeComm(static_cast<HANDLE>(handle_), PURGE_RXCLEAR | PURGE_RXABORT);
  received_.clear();
}

void Win32SerialPort::clearOutput() {
  if (handle_) PurgeComm(static_cast<HANDLE>(handle_), PURGE_TXCLEAR | PURGE_TXABORT);
}

}  // namespace kv
