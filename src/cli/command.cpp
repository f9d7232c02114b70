#include "cli/command.h"

#include <cstdio>

namespace kv::cli {

const QList<Command>& commands() {
  static const QList<Command> all = [] {
    QList<Command> list;
    list << fileCommands();
    list << linkCommands();
    return list;
  }();
  return all;
}

int fail(const QString& message) {
  std::fprintf(stderr, "kvprog-cli: %s\n", message.toUtf8().constData());
  return 1;
}

void print(const QString& text) {
  std::fputs(text.toUtf8().constData(), stdout);
  std::fflush(stdout);
}

}  // namespace kv::cli
