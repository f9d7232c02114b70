#include <QCoreApplication>

#include "cli/command.h"
#include "cli/terminal.h"
#include "image/programfolders.h"

using namespace kv::cli;

namespace {

QString overview() {
  QString text = QStringLiteral(
      "kvprog-cli: batch tool for the 16-channel radios' channel files and radio link.\n\n"
      "Usage: kvprog-cli COMMAND [ARGS...]\n       kvprog-cli COMMAND --help\n"
      "       kvprog-cli --version\n\nCommands:\n");
  for (const Command& c : commands())
    text += QStringLiteral("  %1\n      %2\n").arg(c.usage, c.summary);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  prepareConsole();
  const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
  kv::useProgramIdentity();  // the window's folders: settings, scratch files
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.value(0) == QLatin1String("--version")) {
    print(kv::versionLine(QStringLiteral("kvprog-cli")) + QLatin1Char('\n'));
    return 0;
  }
  if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
      args[0] == QLatin1String("help")) {
    print(overview());
    return args.isEmpty() ? 2 : 0;
  }
  for (const Command& c : commands()) {
    if (c.name != args[0]) continue;
    const QStringList rest = args.mid(1);
    if (rest.contains(QLatin1String("--help")) || rest.contains(QLatin1String("-h"))) {
      print(QStringLiteral("Usage: kvprog-cli %1\n\n%2\n%3").arg(c.usage, c.summary, c.help));
      return 0;
    }
    return c.run(rest);
  }
  return fail(QStringLiteral("unknown command \"%1\"; see kvprog-cli --help").arg(args[0]));
}
