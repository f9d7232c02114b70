#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace kv::cli {

struct Command {
  QString name;
  QString usage;    // "show FILE.chp"
  QString summary;  // one line for the overview
  QString help;     // the rest of the command's --help
  std::function<int(const QStringList& args)> run;  // arguments after the command name
};

// Every command of the tool, in the order the overview lists them.
const QList<Command>& commands();

// Writes a one-line message to stderr and returns the failure status.
int fail(const QString& message);
// Writes text to stdout as UTF-8.
void print(const QString& text);

// The registries of each command group.
QList<Command> fileCommands();
QList<Command> linkCommands();

}  // namespace kv::cli
