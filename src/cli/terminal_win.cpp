#include <windows.h>

#include <csignal>

#include "cli/terminal.h"

namespace kv::cli {

// The C runtime writes stdout and stderr in text mode, so lines end in CRLF as with other
// Windows console programs.
void prepareConsole() {
  SetConsoleOutputCP(CP_UTF8);
  // The progress board moves the cursor with the terminal's escape sequences.
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(error, &mode))
    SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

bool stderrIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode);
}

int terminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    if (columns > 0) return columns;
  }
  return 80;
}

// The C runtime turns a console's Ctrl-C into SIGINT.
struct InterruptHook::Saved {
  void (*interrupt)(int) = nullptr;
  void (*terminate)(int) = nullptr;
};

InterruptHook::InterruptHook(void (*handler)(int)) : saved_(std::make_unique<Saved>()) {
  saved_->interrupt = std::signal(SIGINT, handler);
  saved_->terminate = std::signal(SIGTERM, handler);
}

InterruptHook::~InterruptHook() {
  std::signal(SIGINT, saved_->interrupt);
  std::signal(SIGTERM, saved_->terminate);
}

}  // namespace kv::cli
