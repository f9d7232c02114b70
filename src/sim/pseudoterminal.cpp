#include "sim/pseudoterminal.h"

#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <cstdio>

namespace kv::sim {

Pty::~Pty() {
  if (slave >= 0) close(slave);
  if (master >= 0) close(master);
}

bool Pty::open() {
  termios raw{};
  cfmakeraw(&raw);
  cfsetspeed(&raw, B9600);
  if (openpty(&master, &slave, nullptr, &raw, nullptr) == 0) return true;
  std::perror("kvsim: openpty");
  return false;
}

}  // namespace kv::sim
