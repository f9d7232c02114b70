#pragma once

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

struct Command {
  QString name;
  QString usage;                                    // "show FILE.chp"
  QString summary;                                  // one line for the overview
  QString help;                                     // the rest of the command's --help
  std::function<int(const QStringList& args)> run;  // arguments after the command name
  bool draws = false;  // needs fonts and painting: runs under a GUI application, offscreen
};

// Every command of the tool, in the order the overview lists them.
const QList<Command>& commands();

// The application object the command named by argv[1] needs.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv);

// Writes a one-line message to stderr and returns the failure status.
int fail(const QString& message);
// Writes text to stdout as UTF-8.
void print(const QString& text);

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

}  // namespace kv::cli
