#include "print/printscript.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>

#include "image/atomicfile.h"
#include "print/scriptfonts.h"

namespace kv {
namespace {

constexpr float kTwipsPerCm = 567.0f;

struct Hooks {
  std::function<void()> newScript;
  std::function<void(const QString&, const QString&)> error;
};

Hooks& hooks() {
  static Hooks h;
  return h;
}

bool appendLines(const QStringList& lines) {
  for (const QString& line : lines) {
    if (!AppendScriptLine(line)) return false;
  }
  return true;
}

QString twipsText(float twips) { return QString::number(double(twips), 'g', 7); }

QString flag(bool bold) { return bold ? QStringLiteral("-1") : QStringLiteral("0"); }

bool printText(const QString& keyword, const QString& xTwips, float y, const QString& text,
               const QString& fontName, qint16 size, bool bold) {
  return appendLines({QStringLiteral("#fontname"), fontName, QStringLiteral("#fontsize"),
                      QString::number(size), QStringLiteral("#fontbold"), flag(bold),
                      QStringLiteral("#y"), scriptCoordinate(y), QStringLiteral("#x"), xTwips,
                      keyword, text});
}

}  // namespace

QString scriptFilePath() {
  static QTemporaryDir dir;
  static const QString path = dir.filePath(QStringLiteral("_$$_TEMP.TMP"));
  return path;
}

QString scriptCoordinate(float centimetres) { return twipsText(centimetres * kTwipsPerCm); }

bool NewScript() {
  if (hooks().newScript) hooks().newScript();
  return !emptyFile(scriptFilePath());
}

bool AppendScriptLine(const QString& text) {
  return !appendToFile(scriptFilePath(), text.toUtf8() + "\r\n");
}

bool StartPage(const QString& leftText, const QString& rightText) {
  const QString arial = QStringLiteral("Arial");
  return AppendScriptLine(QStringLiteral("#startpage")) && PrintBox(2.0f, 0.9f, 18.0f, 0.91f) &&
         PrintInLeft(2.0f, 0.55f, leftText, arial, 8, false) &&
         PrintInRight(18.0f, 0.55f, rightText, arial, 8, false);
}

bool PrintInLeft(float x, float y, const QString& text, const QString& fontName, qint16 size,
                 bool bold) {
  return printText(QStringLiteral("#txt_l"), scriptCoordinate(x), y, text, fontName, size, bold);
}

bool PrintInRight(float x, float y, const QString& text, const QString& fontName, qint16 size,
                  bool bold) {
  return printText(QStringLiteral("#txt_r"), scriptCoordinate(x), y, text, fontName, size, bold);
}

bool PrintInCen(float x, float y, const QString& text, const QString& fontName, qint16 size,
                bool bold) {
  const float left = x * kTwipsPerCm - std::floor(float(measuringWidth(text)) / 2.0f);
  if (left < 0) {
    const QString message = QStringLiteral("Error in coords!!!!");
    const QString title = QStringLiteral("PrintInCen");
    if (hooks().error)
      hooks().error(message, title);
    else
      qWarning("%s: %s", qPrintable(title), qPrintable(message));
    return true;
  }
  return printText(QStringLiteral("#txt_c"), twipsText(left), y, text, fontName, size, bold);
}

bool PrintBox(float x1, float y1, float x2, float y2) {
  return appendLines({QStringLiteral("#fill"), QStringLiteral("1"), QStringLiteral("#color"),
                      QStringLiteral("0"), QStringLiteral("#line"), scriptCoordinate(x1),
                      scriptCoordinate(y1), scriptCoordinate(x2), scriptCoordinate(y2), QString(),
                      QStringLiteral("B")});
}

void DeleteScript() { QFile::remove(scriptFilePath()); }

void setNewScriptHook(std::function<void()> hook) { hooks().newScript = std::move(hook); }

void setScriptErrorHandler(std::function<void(const QString&, const QString&)> handler) {
  hooks().error = std::move(handler);
}

}  // namespace kv
