#pragma once

#include <memory>

namespace kv::cli {

// The console as the progress board and the printed text meet it; each platform has its own.

// While it lives, text goes out as UTF-8: a Windows console is told to show it so (its own code
// page would garble the Chinese); pipes and files get the bytes as they are. The console gets
// its own code page back when it goes, and when Ctrl-C ends the program before that.
class ConsoleOutput {
 public:
  ConsoleOutput();
  ~ConsoleOutput();
  ConsoleOutput(const ConsoleOutput&) = delete;
  ConsoleOutput& operator=(const ConsoleOutput&) = delete;
};

// Whether stderr is a terminal that the progress board may redraw in place.
bool stderrIsTerminal();
// The columns the terminal shows; a board line that wrapped would throw off the count of
// lines to go back up.
int terminalColumns();

// While it lives, Ctrl-C (and a request to terminate) calls `handler` instead of ending the
// program; the handlers before it come back afterwards.
class InterruptHook {
 public:
  explicit InterruptHook(void (*handler)(int));
  ~InterruptHook();
  InterruptHook(const InterruptHook&) = delete;
  InterruptHook& operator=(const InterruptHook&) = delete;

 private:
  struct Saved;
  std::unique_ptr<Saved> saved_;
};

}  // namespace kv::cli
