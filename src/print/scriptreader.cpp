#include "print/scriptreader.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

#include "image/boundedreader.h"

namespace kv {
namespace {

// A report's script is about 40 KB; a script past this size is not one of ours.
constexpr qint64 kMaxScriptSize = 16 << 20;

int argumentCount(const QString& keyword) {
  static const QHash<QString, int> counts{
      {QStringLiteral("#startpage"), 0}, {QStringLiteral("#endpage"), 0},
      {QStringLiteral("#fontname"), 1},  {QStringLiteral("#fontsize"), 1},
      {QStringLiteral("#fontbold"), 1},  {QStringLiteral("#x"), 1},
      {QStringLiteral("#y"), 1},         {QStringLiteral("#txt_l"), 1},
      {QStringLiteral("#txt_c"), 1},     {QStringLiteral("#txt_r"), 1},
      {QStringLiteral("#line"), 6},      {QStringLiteral("#fill"), 1},
      {QStringLiteral("#color"), 1}};
  return counts.value(keyword, -1);
}

}  // namespace

ScriptReader::ScriptReader(const QString& path)
    : text_(readFileBounded(path, kMaxScriptSize).bytes) {}

bool ScriptReader::readLine(QString& line) {
  if (pos_ >= text_.size()) return false;
  qsizetype end = text_.indexOf('\n', pos_);
  if (end < 0) end = text_.size();
  QByteArray bytes = text_.mid(pos_, end - pos_);
  pos_ = end + 1;
  while (bytes.endsWith('\r')) bytes.chop(1);
  line = QString::fromUtf8(bytes);
  return true;
}

bool ScriptReader::next(ScriptCommand& command) {
  QString line;
  while (readLine(line)) {
    const int count = argumentCount(line);
    if (count < 0) continue;
    command.keyword = line;
    command.args.clear();
    for (int i = 0; i < count; ++i) {
      QString arg;
      readLine(arg);  // a script cut short leaves the missing arguments empty
      command.args << arg;
    }
    return true;
  }
  return false;
}

double scriptValue(const QString& line) {
  static const QRegularExpression number(
      QStringLiteral(R"(^[ \t]*([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?))"));
  QString text = line;
  text.replace(QLatin1Char(','), QLatin1Char('.'));
  const QRegularExpressionMatch match = number.match(text);
  return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

int scriptInteger(const QString& line) {
  constexpr double lowest = std::numeric_limits<int>::min();
  constexpr double highest = std::numeric_limits<int>::max();
  return int(std::clamp(std::trunc(scriptValue(line)), lowest, highest));
}

}  // namespace kv
