#include <QCoreApplication>

#include "cli/command.h"
#include "cli/terminal.h"
#include "image/programfolders.h"
#include "image/programlanguage.h"
#include "link/workerthreads.h"

using namespace kv::cli;

namespace {

QString overview() {
  QString text = QStringLiteral(
      "kvprog-cli: batch tool for the 16-channel radios' channel files and radio link.\n\n"
      "Usage: kvprog-cli [--lang zh|en] COMMAND [ARGS...]\n       kvprog-cli COMMAND --help\n"
      "       kvprog-cli --version\n\nCommands:\n");
  for (const Command& c : commands())
    text += QStringLiteral("  %1\n      %2\n").arg(c.usage(), c.summary);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  kv::prepareWorkerThreads();
  const ConsoleOutput console;
  const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
  kv::useProgramIdentity();  // the window's folders: settings, scratch files
  QStringList args = QCoreApplication::arguments().mid(1);
  // The language of this run: --lang before the command, else the environment's. The window's
  // saved choice is the window's own.
  std::optional<kv::Language> language = kv::environmentLanguage();
  if (args.value(0) == QLatin1String("--lang")) {
    language = kv::languageNamed(args.value(1));
    if (!language) return fail(QStringLiteral("--lang must be zh or en"));
    args = args.mid(2);
  }
  kv::useLanguage(*language);
  if (args.value(0) == QLatin1String("--version")) {
    print(kv::versionLine(QStringLiteral("kvprog-cli")) + QLatin1Char('\n'));
    return 0;
  }
  if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
      args[0] == QLatin1String("help")) {
    print(overview());
    return args.isEmpty() ? 2 : 0;
  }
  for (const Command& c : commands())
    if (c.name == args[0]) return c(args.mid(1));
  return fail(Cli::tr("没有“%1”这个命令，请看 kvprog-cli --help").arg(args[0]));
}
