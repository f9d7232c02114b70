#include "preview/previewicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kv {
namespace {

constexpr int kSize = 32;

void magnifier(QPainter& p, bool plus) {
  p.setPen(QPen(QColor(40, 40, 40), 3));
  p.setBrush(QColor(220, 235, 250));
  p.drawEllipse(QPointF(13, 13), 9, 9);
  p.setPen(QPen(QColor(40, 40, 40), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(20, 20), QPointF(28, 28));
  p.setPen(QPen(QColor(20, 90, 170), 3));
  p.drawLine(QPointF(8, 13), QPointF(18, 13));
  if (plus) p.drawLine(QPointF(13, 8), QPointF(13, 18));
}

void refresh(QPainter& p) {
  p.setPen(QPen(QColor(30, 130, 60), 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 290 * 16);
  QPainterPath head;
  head.moveTo(17, 2);
  head.lineTo(25, 7);
  head.lineTo(17, 12);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 130, 60));
  p.drawPath(head);
}

void printer(QPainter& p) {
  p.setPen(QPen(QColor(50, 50, 50), 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 3, 14, 10));
  p.setBrush(QColor(120, 120, 130));
  p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 19, 14, 10));
  p.drawLine(QPointF(12, 23), QPointF(20, 23));
  p.drawLine(QPointF(12, 26), QPointF(20, 26));
}

void pdf(QPainter& p) {
  QPainterPath sheet;
  sheet.moveTo(6, 2);
  sheet.lineTo(20, 2);
  sheet.lineTo(27, 9);
  sheet.lineTo(27, 30);
  sheet.lineTo(6, 30);
  sheet.closeSubpath();
  p.setPen(QPen(QColor(50, 50, 50), 1.5));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.drawLine(QPointF(20, 2), QPointF(20, 9));
  p.drawLine(QPointF(20, 9), QPointF(27, 9));
  p.fillRect(QRectF(3, 15, 24, 10), QColor(190, 30, 30));
  QFont font;
  font.setPixelSize(9);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(3, 15, 24, 10), Qt::AlignCenter, QStringLiteral("PDF"));
}

void closeDoor(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 2));
  p.setBrush(QColor(200, 170, 120));
  p.drawRect(QRectF(4, 3, 14, 26));
  p.setPen(QPen(QColor(190, 30, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(14, 16), QPointF(28, 16));
  p.drawLine(QPointF(23, 11), QPointF(28, 16));
  p.drawLine(QPointF(23, 21), QPointF(28, 16));
}

}  // namespace

QIcon previewIcon(PreviewPicture picture) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (picture) {
    case PreviewPicture::Refresh:
      refresh(p);
      break;
    case PreviewPicture::ZoomIn:
      magnifier(p, true);
      break;
    case PreviewPicture::ZoomOut:
      magnifier(p, false);
      break;
    case PreviewPicture::Print:
      printer(p);
      break;
    case PreviewPicture::Pdf:
      pdf(p);
      break;
    case PreviewPicture::Close:
      closeDoor(p);
      break;
  }
  return QIcon(pixmap);
}

}  // namespace kv
