#include "cli/command.h"

#include <QGuiApplication>
#include <cstdio>

#include "image/inifile.h"
#include "image/programfolders.h"

namespace kv::cli {

const QList<Command>& commands() {
  static const QList<Command> all = [] {
    QList<Command> list;
    list << fileCommands();
    list << reportCommands();
    list << portCommands();
    list << linkCommands();
    return list;
  }();
  return all;
}

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
  const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  for (const Command& c : commands()) {
    if (c.name != name || !c.draws) continue;
    // Drawing needs a platform; the offscreen one works without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
  }
  return std::make_unique<QCoreApplication>(argc, argv);
}

int fail(const QString& message) {
  std::fprintf(stderr, "kvprog-cli: %s\n", message.toUtf8().constData());
  return 1;
}

Bands settingsBands() {
  const IniFile ini(settingsFile());
  Bands bands = readBands(ini);
  for (const ReplacedBand& bad : replaceInvalidBands(bands))
    std::fprintf(stderr, "kvprog-cli: warning: %s: %s holds \"%s\", not a usable band; using %s\n",
                 qPrintable(ini.path()), qPrintable(bad.key), qPrintable(bad.text),
                 qPrintable(fallbackBandText()));
  return bands;
}

void print(const QString& text) {
  std::fputs(text.toUtf8().constData(), stdout);
  std::fflush(stdout);
}

std::optional<RadioData> loadChannelFile(const QString& path) {
  return takeWhole(path, loadWholeChpFile(path));
}

std::optional<RadioData> takeWhole(const QString& path, const WholeLoad& loaded) {
  warnUnknownSignals(path, loaded.unknownSignals);
  if (!loaded.data) fail(QStringLiteral("%1: %2").arg(path, loaded.refusal));
  return loaded.data;
}

void warnUnknownSignals(const QString& path, const QList<UnknownSignal>& pairs) {
  if (pairs.isEmpty()) return;
  QString text = unknownSignalsText(pairs);
  text.replace(QLatin1Char('\n'), QStringLiteral("\n  "));
  std::fprintf(stderr, "kvprog-cli: %s: %s\n", qUtf8Printable(path), qUtf8Printable(text));
}

}  // namespace kv::cli
