#include "ui/screenfit.h"

#include <QScreen>
#include <QWidget>

namespace kv {

QSize sizeOnScreen(const QWidget* window, QSize wanted) {
  const QScreen* screen = window->screen();
  if (!screen) return wanted;
  const QSize frame = window->frameGeometry().size() - window->size();
  return wanted.boundedTo(screen->availableGeometry().size() - frame);
}

}  // namespace kv
