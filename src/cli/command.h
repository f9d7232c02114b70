#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "image/chpfile.h"

#include "model/radiomodel.h"

class QCoreApplication;

namespace kv::cli {

// The tool's own words in the current language: Cli::tr("已取消"). Its --help, --version and
// the usage errors stay English.
class Cli {
  Q_DECLARE_TR_FUNCTIONS(kv::cli::Cli)
};

// An option of a command, declared once: the parser takes it, and the usage line and the
// help list it.
struct Option {
  // Repeated: required, and may be given again; Several: may be left out or given again.
  enum Use { Optional, Required, Repeated, Several };
  QString name;         // without the dashes: "timeout"
  QString valueName{};  // "SECONDS"; empty for a flag
  QString description;  // broken into lines where the help breaks it
  Use use = Optional;
};

struct Command;

// One run of a command: what it was given, checked against what it declares.
class Call {
 public:
  Call(const Command& command, const QCommandLineParser& parser)
      : command_(command), parser_(parser) {}
  bool isSet(const QString& option) const { return parser_.isSet(option); }
  QString value(const QString& option) const { return parser_.value(option); }
  QStringList values(const QString& option) const { return parser_.values(option); }
  QString argument(int i) const { return parser_.positionalArguments().value(i); }
  // Refuses what was given: "kvprog-cli: <what>" and the usage line on stderr; the
  // command's status for a misuse.
  int misuse(const QString& what) const;

 private:
  const Command& command_;
  const QCommandLineParser& parser_;
};

struct Command {
  QString name;
  QString summary;          // one line for the overview
  QString about{};          // the help before the options
  QList<Option> options{};  // in the order the usage line and the help list them
  QStringList arguments{};  // every one required: "FILE.chp", "OUT.json|OUT.csv"
  QString notes{};          // the help after the options
  std::function<int(const Call&)> run{};
  bool draws = false;    // needs fonts and painting: runs under a GUI application, offscreen
  int misuseStatus = 1;  // diff keeps 1 for "different"

  // "read --port DEVICE [--timeout SECONDS] [--no-backup] OUT.chp"
  QString usage() const;
  QString helpText() const;
  // Parses `args` (those after the command name) as declared, then runs the command.
  int operator()(const QStringList& args) const;
};

// Every command of the tool, in the order the overview lists them.
const QList<Command>& commands();

// The application object the command named by argv[1] needs: a GUI one only for a drawing
// command that will run (its --help needs no display).
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv);

// A USB vendor or product id in JSON: "1a86", or null for a port that is not a USB adapter.
QJsonValue usbIdJson(const std::optional<quint16>& id);

// Writes a one-line message to stderr and returns the failure status.
int fail(const QString& message);
// Writes text to stdout as UTF-8.
void print(const QString& text);
// A column of a tab-separated listing: "-" stands for what is not known.
inline QString orDash(const QString& text) { return text.isEmpty() ? QStringLiteral("-") : text; }

// A channel file taken whole (loadWholeChpFile), else nothing and the refusal on stderr. Its
// unknown signalling pairs go to stderr either way.
std::optional<RadioData> loadChannelFile(const QString& path);
// The same for a load already made of what `path` holds.
std::optional<RadioData> takeWhole(const QString& path, const WholeLoad& loaded);
// Lists a load's unknown signalling pairs on stderr, under the file's name.
void warnUnknownSignals(const QString& path, const QList<UnknownSignal>& pairs);

// The eight band texts from the settings file beside the program. A stored band that no
// frequency could pass is replaced for this run, with a warning on stderr.
Bands settingsBands();

// The registries of each command group.
QList<Command> fileCommands();
QList<Command> reportCommands();
QList<Command> portCommands();
QList<Command> linkCommands();
QList<Command> logCommands();

}  // namespace kv::cli
