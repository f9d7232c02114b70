#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/terminal.h"

namespace kv::cli {

void prepareConsole() {}

bool stderrIsTerminal() { return isatty(STDERR_FILENO); }

int terminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

}  // namespace kv::cli
