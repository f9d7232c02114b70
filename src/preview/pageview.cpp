#include "preview/pageview.h"

#include <QPainter>

#include "print/scriptinterpreter.h"

namespace kv {

PageView::PageView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Prv"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(50, 50);
}

QSizeF PageView::sheetSize(double zoom) const {
  return QSizeF(kSheetWidthTwips, kSheetHeightTwips) * (zoom / 100.0 * logicalDpiX() / 1440.0);
}

void PageView::draw(double zoom, int page, int scrollX, int scrollY) {
  const qreal ratio = devicePixelRatioF();
  picture_ = QImage(size() * ratio, QImage::Format_RGB32);
  picture_.setDevicePixelRatio(ratio);
  picture_.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
  picture_.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
  picture_.fill(palette().color(QPalette::Dark));
  QPainter painter(&picture_);
  drawPreviewPage(painter, page, zoom, QPointF(-scrollX, -scrollY));
  update();
}

void PageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Dark));
  painter.drawImage(0, 0, picture_);
}

}  // namespace kv
