#pragma once

class QWidget;

namespace kv {

// Places a window, at its current size, in the middle of the screen it is on.
void centreOnScreen(QWidget* window);

}  // namespace kv
