#pragma once

#include <QSize>

class QWidget;

namespace kv {

// `wanted` made no larger than the screen `window` is on can show, frame included: with
// large text or a small screen a window opens at the screen's size and scrolls what does not
// fit, and nowhere does it open past the screen's edges.
QSize sizeOnScreen(const QWidget* window, QSize wanted);

// The widest a list in `dialog` may be: its screen's width less the dialog's frame and margins.
int screenWidthForList(const QWidget* dialog);

}  // namespace kv
