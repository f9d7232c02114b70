#include "print/scriptfonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

namespace kv {
namespace {

QStringList candidates(const QString& name) {
  const QString key = name.trimmed().toLower();
  if (key == QLatin1String("arial"))
    return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
  if (key == QStringLiteral("宋体") || key == QLatin1String("simsun"))
    return {QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
            QStringLiteral("Source Han Serif SC"), QStringLiteral("AR PL UMing CN")};
  return {name};
}

}  // namespace

QString installedFamily(const QString& scriptFontName) {
  static QHash<QString, QString> resolved;
  auto it = resolved.constFind(scriptFontName);
  if (it != resolved.constEnd()) return *it;
  const QStringList names = candidates(scriptFontName);
  QString family = names.first();
  for (const QString& name : names) {
    if (QFontDatabase::hasFamily(name)) {
      family = name;
      break;
    }
  }
  resolved.insert(scriptFontName, family);
  return family;
}

QFont scriptFont(const QString& scriptFontName, double pointSize, bool bold) {
  QFont font;
  font.setFamilies({installedFamily(scriptFontName), installedFamily(QStringLiteral("宋体"))});
  if (pointSize > 0) font.setPointSizeF(pointSize);
  font.setBold(bold);
  // Shaping swaps digits after a letter ("D023I") for alternate glyphs that a PDF's text layer
  // cannot map back to characters; none of the report's scripts needs it.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

double measuringWidth(const QString& text) {
  // 7.5 pt are 150 twips, so at a pixel size of 150 the advances come out in twips.
  static const QFontMetricsF metrics = [] {
    QFont font = scriptFont(QStringLiteral("Arial"), 0, false);
    font.setPixelSize(150);
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFontMetricsF(font);
  }();
  return metrics.horizontalAdvance(text);
}

}  // namespace kv
