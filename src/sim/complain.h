#pragma once

#include <QString>
#include <cstdio>

namespace kv::sim {

// A message of the emulator on stderr: "kvsim: <text>".
inline void complain(const QString& text) { std::fprintf(stderr, "kvsim: %s\n", qPrintable(text)); }

}  // namespace kv::sim
