#include "tune/updownarrows.h"

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
