#include "print/scriptpainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <iterator>

#include "print/scriptfonts.h"
#include "print/scriptreader.h"

namespace kv {
namespace {

// Colour numbers are 0x00BBGGRR.
QColor colorOf(int number) {
  return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

QBrush fillBrush(int style, int color) {
  static const Qt::BrushStyle patterns[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                            Qt::VerPattern,   Qt::BDiagPattern,    Qt::FDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
  if (style < 0 || style >= int(std::size(patterns))) return Qt::NoBrush;
  return QBrush(colorOf(color), patterns[style]);
}

}  // namespace

ScriptPainter::ScriptPainter(QPainter& painter, const PageTarget& target)
    : painter_(painter), target_(target) {}

QPointF ScriptPainter::device(double x, double y) const {
  return target_.origin + QPointF(x, y) * target_.unitsPerTwip;
}

const QFont& ScriptPainter::font() {
  if (fontDirty_) {
    font_ = scriptFont(fontName_, std::max(0.1, fontSize_ * target_.fontFactor), bold_);
    fontDirty_ = false;
  }
  return font_;
}

void ScriptPainter::apply(const ScriptCommand& command) {
  const QString& k = command.keyword;
  const QString arg = command.args.value(0);
  if (k == QLatin1String("#fontname")) {
    fontName_ = arg;
    fontDirty_ = true;
  } else if (k == QLatin1String("#fontsize")) {
    fontSize_ = scriptValue(arg);
    fontDirty_ = true;
  } else if (k == QLatin1String("#fontbold")) {
    bold_ = arg != QLatin1String("0");
    fontDirty_ = true;
  } else if (k == QLatin1String("#x")) {
    x_ = scriptValue(arg);
  } else if (k == QLatin1String("#y")) {
    y_ = scriptValue(arg);
  } else if (k == QLatin1String("#txt_l") || k == QLatin1String("#txt_c")) {
    drawText(arg, false);
  } else if (k == QLatin1String("#txt_r")) {
    drawText(arg, true);
  } else if (k == QLatin1String("#line")) {
    drawLine(command.args);
  } else if (k == QLatin1String("#fill")) {
    fillStyle_ = scriptInteger(arg);
  } else if (k == QLatin1String("#color")) {
    fillColor_ = scriptInteger(arg);
  }
}

void ScriptPainter::drawText(const QString& text, bool fromRight) {
  painter_.setFont(font());
  const QFontMetricsF metrics(font_, painter_.device());
  if (fromRight) x_ -= metrics.horizontalAdvance(text) / target_.unitsPerTwip;
  painter_.setPen(Qt::black);
  painter_.drawText(device(x_, y_) + QPointF(0, metrics.ascent()), text);
}

void ScriptPainter::drawLine(const QStringList& args) {
  const QPointF from = device(scriptValue(args.value(0)), scriptValue(args.value(1)));
  const QPointF to = device(scriptValue(args.value(2)), scriptValue(args.value(3)));
  const QString color = args.value(4);
  painter_.setPen(QPen(color.isEmpty() ? Qt::black : colorOf(scriptInteger(color)), 0));
  if (args.value(5).isEmpty()) {
    painter_.drawLine(from, to);
  } else {
    painter_.setBrush(fillBrush(fillStyle_, fillColor_));
    painter_.drawRect(QRectF(from, to).normalized());
  }
}

}  // namespace kv
