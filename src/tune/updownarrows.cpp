#include "tune/updownarrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace kv {

UpDownArrows::UpDownArrows(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum) {
  const int half = buddy->sizeHint().height() / 2;
  const auto makeArrow = [&](Qt::ArrowType type, int steps) {
    auto* button = new QToolButton(this);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(half + 4, half);
    connect(button, &QToolButton::clicked, this, [this, steps] { stepBy(steps); });
    return button;
  };
  up_ = makeArrow(Qt::UpArrow, 1);
  down_ = makeArrow(Qt::DownArrow, -1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  buddy_->installEventFilter(this);
}

bool UpDownArrows::eventFilter(QObject* watched, QEvent* event) {
  if (watched != buddy_ || event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
  stepBy(key == Qt::Key_Up ? 1 : -1);
  return true;
}

void UpDownArrows::stepBy(int steps) {
  bool ok = false;
  const double number = buddy_->text().toDouble(&ok);
  int value =
      ok && std::isfinite(number) && std::abs(number) < 1e9 ? int(std::lround(number)) : minimum_;
  value = std::clamp(std::clamp(value, minimum_, maximum_) + steps, minimum_, maximum_);
  buddy_->setText(QString::number(value));
}

}  // namespace kv
