#include "transfer/frmdk.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/prompts.h"

namespace kv {

frmDK::frmDK(const QStringList& ports, int current, QWidget* parent)
    : QDialog(parent), dkh_(current) {
  setObjectName(QStringLiteral("frmDK"));
  setWindowTitle(QStringLiteral("端口选择"));
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(24);
  for (int i = 0; i < kButtonCount; ++i) {
    auto* button = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), this);
    button->setObjectName(QStringLiteral("optDK%1").arg(i));
    button->setEnabled(false);
    connect(button, &QRadioButton::clicked, this, [this, i] { dkh_ = i; });
    buttons->addWidget(button);
    optDK_[i] = button;
  }
  // The buttons stand for the listed ports in order; more than four are out of reach.
  for (int i = 0; i < std::min<int>(ports.size(), kButtonCount); ++i) {
    optDK_[i]->setEnabled(true);
    optDK_[i]->setToolTip(ports[i]);
    if (current == i) optDK_[i]->setChecked(true);
  }
  cmdQD_ = new QPushButton(QStringLiteral("确定"), this);
  cmdQD_->setObjectName(QStringLiteral("cmdQD"));
  cmdQD_->setDefault(true);
  connect(cmdQD_, &QPushButton::clicked, this, &frmDK::confirm);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 12);
  layout->setSpacing(14);
  layout->addLayout(buttons);
  layout->addWidget(cmdQD_, 0, Qt::AlignHCenter);
  cmdQD_->setMinimumWidth(80);
  setFixedSize(sizeHint().expandedTo(QSize(336, 88)));
}

void frmDK::confirm() {
  prompts::message(this, QStringLiteral("端口转换成COM%1").arg(dkh_ + 1), QStringLiteral("提示"),
                   prompts::Icon::Information);
  accept();
}

}  // namespace kv
