#include "cli/command.h"

#include <QGuiApplication>
#include <algorithm>
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
    list << logCommands();
    return list;
  }();
  return all;
}

namespace {

// "--help" anywhere after the command's name asks for its help, whatever else is given.
bool asksForHelp(const QStringList& args) {
  return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

QString syntaxOf(const Option& option) {
  return option.valueName.isEmpty() ? QStringLiteral("--%1").arg(option.name)
                                    : QStringLiteral("--%1 %2").arg(option.name, option.valueName);
}

}  // namespace

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
  // The command follows "--lang LANGUAGE" when that is given.
  const int at = argc > 2 && qstrcmp(argv[1], "--lang") == 0 ? 3 : 1;
  const QString name = argc > at ? QString::fromLocal8Bit(argv[at]) : QString();
  QStringList rest;
  for (int i = at + 1; i < argc; ++i) rest << QString::fromLocal8Bit(argv[i]);
  for (const Command& c : commands()) {
    if (c.name != name || !c.draws || asksForHelp(rest)) continue;
    // Drawing needs a platform; the offscreen one works without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
  }
  return std::make_unique<QCoreApplication>(argc, argv);
}

QString Command::usage() const {
  QStringList parts{name};
  QStringList optional;
  for (const Option& o : options) {
    const QString syntax = syntaxOf(o);
    if (o.use == Option::Optional) optional << QStringLiteral("[%1]").arg(syntax);
    if (o.use == Option::Several) optional << QStringLiteral("[%1 ...]").arg(syntax);
    if (o.use == Option::Required || o.use == Option::Repeated) parts << syntax;
    if (o.use == Option::Repeated) parts << QStringLiteral("[%1 ...]").arg(syntax);
  }
  // More than two would make the line too long to read; the help lists them.
  parts << (optional.size() > 2 ? QStringList{QStringLiteral("[OPTIONS]")} : optional);
  return (parts + arguments).join(QLatin1Char(' '));
}

QString Command::helpText() const {
  QString text = QStringLiteral("Usage: kvprog-cli %1\n\n%2\n%3").arg(usage(), summary, about);
  if (!options.isEmpty()) {
    qsizetype width = 0;
    for (const Option& o : options) width = std::max(width, syntaxOf(o).size());
    text += QStringLiteral("Options:\n");
    for (const Option& o : options) {
      const QStringList lines = o.description.split(QLatin1Char('\n'));
      text += QStringLiteral("  %1  %2\n").arg(syntaxOf(o).leftJustified(width), lines[0]);
      for (const QString& line : lines.mid(1))
        text += QString(width + 4, QLatin1Char(' ')) + line + QLatin1Char('\n');
    }
  }
  if (!notes.isEmpty()) text += QLatin1Char('\n') + notes;
  return text;
}

int Command::operator()(const QStringList& args) const {
  if (asksForHelp(args)) {
    print(helpText());
    return 0;
  }
  QCommandLineParser parser;
  // "-x" is an unknown option, never the letters of several.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const Option& o : options)
    parser.addOption(QCommandLineOption(o.name, o.description, o.valueName));
  const Call call(*this, parser);
  if (!parser.parse(QStringList{name} + args)) return call.misuse(parser.errorText());
  for (const Option& o : options) {
    const qsizetype given = parser.optionNames().count(o.name);
    if (given == 0 && (o.use == Option::Required || o.use == Option::Repeated))
      return call.misuse(QStringLiteral("missing %1").arg(syntaxOf(o)));
    if (given > 1 && (o.use == Option::Optional || o.use == Option::Required))
      return call.misuse(QStringLiteral("%1 takes one --%2").arg(name, o.name));
  }
  const QStringList given = parser.positionalArguments();
  if (given.size() > arguments.size())
    return call.misuse(QStringLiteral("unexpected argument \"%1\"").arg(given[arguments.size()]));
  if (given.size() < arguments.size())
    return call.misuse(QStringLiteral("missing %1").arg(arguments[given.size()]));
  return run(call);
}

int Call::misuse(const QString& what) const {
  fail(what);
  std::fprintf(stderr, "Usage: kvprog-cli %s\n", qUtf8Printable(command_.usage()));
  return command_.misuseStatus;
}

QJsonValue usbIdJson(const std::optional<quint16>& id) {
  if (!id) return QJsonValue::Null;
  return QStringLiteral("%1").arg(*id, 4, 16, QLatin1Char('0'));
}

int fail(const QString& message) {
  std::fprintf(stderr, "kvprog-cli: %s\n", message.toUtf8().constData());
  return 1;
}

Bands settingsBands() {
  const IniFile ini(settingsFile());
  Bands bands = readBands(ini);
  // "warning:" stays as it is in every language, for scripts to look for.
  for (const ReplacedBand& bad : replaceInvalidBands(bands))
    std::fprintf(stderr, "kvprog-cli: warning: %s\n",
                 qUtf8Printable(Cli::tr("%1: %2 的值“%3”不是可用的频段，本次改用%4")
                                    .arg(ini.path(), bad.key, bad.text, fallbackBandText())));
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
