#include "ui/screenfit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace kv {

QSize sizeOnScreen(const QWidget* window, QSize wanted) {
  const QScreen* screen = window->screen();
  if (!screen) return wanted;
  // Before the window is shown the window system's frame is not known: a title bar and
  // borders as the style draws them stand for it.
  QSize frame = window->frameGeometry().size() - window->size();
  if (frame.isNull()) {
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    frame = QSize(2 * border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
  }
  return wanted.boundedTo(screen->availableGeometry().size() - frame);
}

int screenWidthForList(const QWidget* dialog) {
  constexpr int kMargins = 48;
  return sizeOnScreen(dialog, QSize(QWIDGETSIZE_MAX, 0)).width() - kMargins;
}

}  // namespace kv
