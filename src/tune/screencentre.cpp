#include "tune/screencentre.h"

#include <QScreen>
#include <QWidget>

namespace kv {

void centreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace kv
