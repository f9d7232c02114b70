#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>

#include "cli/terminal.h"

namespace kv::cli {

ConsoleOutput::ConsoleOutput() = default;
ConsoleOutput::~ConsoleOutput() = default;

bool stderrIsTerminal() { return isatty(STDERR_FILENO); }

int terminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

struct InterruptHook::Saved {
  struct sigaction interrupt {};
  struct sigaction terminate {};
};

InterruptHook::InterruptHook(void (*handler)(int)) : saved_(std::make_unique<Saved>()) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigaction(SIGINT, &action, &saved_->interrupt);
  sigaction(SIGTERM, &action, &saved_->terminate);
}

InterruptHook::~InterruptHook() {
  sigaction(SIGINT, &saved_->interrupt, nullptr);
  sigaction(SIGTERM, &saved_->terminate, nullptr);
}

}  // namespace kv::cli
