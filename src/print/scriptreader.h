#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kv {

// One command of the script: its keyword and exactly as many argument lines as it takes.
struct ScriptCommand {
  QString keyword;
  QStringList args;
};

// Reads the script one command at a time from the start, so an interpreter can stop early.
class ScriptReader {
 public:
  explicit ScriptReader(const QString& path);

  // The next command; false at the end of the file (or when it cannot be read). A line where a
  // keyword is expected that is not one is skipped; argument lines are always taken as
  // arguments, even when they look like keywords.
  bool next(ScriptCommand& command);

 private:
  bool readLine(QString& line);

  QByteArray text_;
  qsizetype pos_ = 0;
};

// The number at the start of a line: blanks skipped, a decimal comma read as a point; 0 when
// the line does not start with a number.
double scriptValue(const QString& line);
// The same number as a whole number, cut toward zero and held within int's range, so that a
// colour or a fill style of 1e10 is a bad value and not undefined behaviour.
int scriptInteger(const QString& line);

}  // namespace kv
