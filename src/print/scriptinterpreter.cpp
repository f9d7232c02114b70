#include "print/scriptinterpreter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <limits>
#include "image/atomicfile.h"

#include "print/pdftextlayer.h"
#include "print/printscript.h"
#include "print/scriptpainter.h"
#include "print/scriptreader.h"

namespace kv {

void interpretScript(const QString& path, QPainter& painter, const PageTarget& target, int first,
                     int last, const std::function<void()>& newSheet,
                     const std::function<void()>& pageStarted) {
  ScriptReader reader(path);
  ScriptPainter drawing(painter, target);
  ScriptCommand command;
  int page = 0;
  bool printing = false;
  bool pageSeen = false;     // a page of the range has begun
  bool sheetWanted = false;  // the next drawing belongs on a fresh sheet
  while (reader.next(command)) {
    if (command.keyword == QLatin1String("#startpage")) {
      if (++page > last) break;
      printing = page >= first;
      if (!printing) continue;
      // Pages of a range always get their own sheet, "#endpage" or not.
      sheetWanted = sheetWanted || pageSeen;
      pageSeen = true;
      if (pageStarted) pageStarted();
    } else if (command.keyword == QLatin1String("#endpage")) {
      if (page >= last) break;
      sheetWanted = sheetWanted || printing;
    } else if (printing) {
      const bool draws = command.keyword.startsWith(QLatin1String("#txt")) ||
                         command.keyword == QLatin1String("#line");
      if (draws && sheetWanted) {
        if (newSheet) newSheet();
        sheetWanted = false;
      }
      drawing.apply(command);
    }
  }
}

void drawPreviewPage(QPainter& painter, int page, double zoom, QPointF corner) {
  const double dpi = painter.device()->logicalDpiX();
  const PageTarget target{zoom / 100.0 * dpi / 1440.0, corner, zoom / 100.0};
  const QRectF sheet(corner, QSizeF(kSheetWidthTwips, kSheetHeightTwips) * target.unitsPerTwip);
  painter.setPen(QPen(Qt::darkGray, 0));
  painter.setBrush(Qt::white);
  painter.drawRect(sheet);
  if (page < 1) return;
  painter.save();
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setClipRect(sheet);
  interpretScript(scriptFilePath(), painter, target, page, page);
  painter.restore();
}

bool PrintPages(QPagedPaintDevice& device, int first, int last) {
  QCoreApplication::processEvents();
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const PageTarget target{device.logicalDpiX() / 1440.0, QPointF(), 1.0};
  interpretScript(
      scriptFilePath(), painter, target, first, last, [&device] { device.newPage(); },
      [] { QCoreApplication::processEvents(); });
  return painter.end();
}

bool exportPdf(const QString& pdfPath) {
  // Rendered in memory first, so that the file is written in one checked step.
  QBuffer pdf;
  pdf.open(QBuffer::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setCreator(QStringLiteral("kvprog"));
    if (!PrintPages(writer, 1, std::numeric_limits<qint16>::max())) return false;
  }
  return !writeFileAtomically(pdfPath, mendPdfTextLayer(pdf.data()));
}

}  // namespace kv
