#include <windows.h>

#include <csignal>
#include <utility>

#include "cli/terminal.h"

namespace kv::cli {

namespace {

// What the console was set to before: one console, one program, so plain globals serve the
// handler below, which runs on a thread of its own.
UINT foundCodePage = 0;  // 0: no console
DWORD foundErrorMode = 0;
bool errorModeFound = false;

void restoreConsole() {
  if (foundCodePage) SetConsoleOutputCP(foundCodePage);
  if (errorModeFound) SetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), foundErrorMode);
}

// Ctrl-C, Ctrl-Break or a closed console window that ends the program: the console gets its
// code page back, then the next handler (in the end the system's, which ends the program) acts.
BOOL WINAPI restoreOnBreak(DWORD) {
  restoreConsole();
  return FALSE;
}

}  // namespace

// The C runtime writes stdout and stderr in text mode, so lines end in CRLF as with other
// Windows console programs.
ConsoleOutput::ConsoleOutput() {
  foundCodePage = GetConsoleOutputCP();
  if (!foundCodePage) return;
  SetConsoleCtrlHandler(restoreOnBreak, TRUE);
  SetConsoleOutputCP(CP_UTF8);
  // The progress board moves the cursor with the terminal's escape sequences.
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  errorModeFound = GetConsoleMode(error, &foundErrorMode);
  if (errorModeFound) SetConsoleMode(error, foundErrorMode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

ConsoleOutput::~ConsoleOutput() {
  if (!foundCodePage) return;
  restoreConsole();
  SetConsoleCtrlHandler(restoreOnBreak, FALSE);
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

namespace {

void (*interruptHandler)(int) = nullptr;

// Registered after the console's restorer, so called before it: a Ctrl-C that cancels leaves
// the console in UTF-8 for what the program still says.
BOOL WINAPI interrupt(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interruptHandler(SIGINT);
  return TRUE;
}

}  // namespace

struct InterruptHook::Saved {
  void (*handler)(int) = nullptr;
};

InterruptHook::InterruptHook(void (*handler)(int)) : saved_(std::make_unique<Saved>()) {
  saved_->handler = std::exchange(interruptHandler, handler);
  if (!saved_->handler) SetConsoleCtrlHandler(interrupt, TRUE);
}

InterruptHook::~InterruptHook() {
  interruptHandler = saved_->handler;
  if (!interruptHandler) SetConsoleCtrlHandler(interrupt, FALSE);
}

}  // namespace kv::cli
