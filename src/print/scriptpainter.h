#pragma once

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace kv {

struct ScriptCommand;

// Where the script's paper twips land on a device.
struct PageTarget {
  double unitsPerTwip = 1.0;  // device units per twip, the zoom included
  QPointF origin;             // device position of the page's top-left corner
  double fontFactor = 1.0;    // multiplies the script's font sizes (the preview's zoom)
};

// The drawing state of one interpretation (font, position, fill) and the drawing commands,
// shared by the preview surface and the printer.
class ScriptPainter {
 public:
  ScriptPainter(QPainter& painter, const PageTarget& target);

  // Carries out a state or drawing command; page commands are the interpreter's.
  void apply(const ScriptCommand& command);

 private:
  void drawText(const QString& text, bool fromRight);
  void drawLine(const QStringList& args);
  QPointF device(double x, double y) const;
  const QFont& font();

  QPainter& painter_;
  PageTarget target_;
  QString fontName_ = QStringLiteral("Arial");
  double fontSize_ = 7.5;  // the base font of the page surface
  bool bold_ = false;
  bool fontDirty_ = true;
  QFont font_;
  double x_ = 0;
  double y_ = 0;
  int fillStyle_ = 1;  // transparent
  int fillColor_ = 0;
};

}  // namespace kv
