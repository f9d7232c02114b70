#pragma once

#include <QFont>
#include <QString>

namespace kv {

// The installed face that stands in for a font the script names: Arial by a metric-compatible
// sans, "宋体" by a CJK serif. Resolved once per name for the run.
QString installedFamily(const QString& scriptFontName);

// A font for script text: the face above with the CJK serif behind it, so Chinese in a Latin
// face still prints, and the same glyphs are used on every machine.
QFont scriptFont(const QString& scriptFontName, double pointSize, bool bold);

// Width in twips of a text set in the measuring font, Arial 7.5 pt regular, independent of
// any device's resolution.
double measuringWidth(const QString& text);

}  // namespace kv
