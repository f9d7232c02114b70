#pragma once

namespace kv::sim {

// The pseudo-terminal: the radio talks on the master side, the programs open the other.
struct Pty {
  int master = -1;
  int slave = -1;
  Pty() = default;
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;
  ~Pty();
  // A raw line at 9600 baud; false, with the system's reason on stderr, when none is left.
  bool open();
};

}  // namespace kv::sim
