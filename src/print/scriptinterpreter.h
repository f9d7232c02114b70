#pragma once

#include <QPointF>
#include <QString>
#include <functional>

class QPainter;
class QPagedPaintDevice;

namespace kv {

struct PageTarget;

// The one interpreter of the script. Pages are counted by their "#startpage" lines; only the
// commands of pages first..last act, and reading stops after the last one. `newSheet` runs
// before drawing goes on after an earlier page of the range; `pageStarted` when a page of the
// range begins.
void interpretScript(const QString& path, QPainter& painter, const PageTarget& target, int first,
                     int last, const std::function<void()>& newSheet = {},
                     const std::function<void()>& pageStarted = {});

// Size of an A4 sheet in twips.
constexpr double kSheetWidthTwips = 11907;
constexpr double kSheetHeightTwips = 16839.9;

// The preview's drawing: a white A4 sheet at `zoom` percent with its corner at `corner`
// (device units), and page `page` of the script on it (none when page < 1).
void drawPreviewPage(QPainter& painter, int page, double zoom, QPointF corner);

// Prints pages first..last of the script, coordinates taken from the device's origin and font
// sizes unscaled. Window events are let run at the start and as each page begins. False when
// the device cannot be painted on.
bool PrintPages(QPagedPaintDevice& device, int first, int last);

// Writes every page of the script as an A4 PDF. The file is replaced only once complete;
// false when it cannot be written.
bool exportPdf(const QString& pdfPath);

}  // namespace kv
