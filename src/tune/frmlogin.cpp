#include "tune/frmlogin.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "tune/screencentre.h"
#include "ui/prompts.h"

namespace kv {
namespace {

// Compared as typed: no trimming, no numeric reading, so " 5319046" and "05319046" are wrong.
const QString kAccessCode = QStringLiteral("5319046");
constexpr int kLastAttempt = 3;

// The dialog's picture: a closed padlock, drawn so that no image file has to ship.
QPixmap padlockPicture() {
  constexpr int kSize = 48;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x70, 0x70, 0x78), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(13, 4, 22, 26), 0, 180 * 16);
  p.drawLine(QPointF(13, 17), QPointF(13, 22));
  p.drawLine(QPointF(35, 17), QPointF(35, 22));
  QLinearGradient body(0, 20, 0, 46);
  body.setColorAt(0, QColor(0xF2, 0xC1, 0x3A));
  body.setColorAt(1, QColor(0xC8, 0x8A, 0x12));
  p.setPen(QPen(QColor(0x8A, 0x5C, 0x08), 1.5));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(7, 21, 34, 25), 4, 4);
  QPainterPath keyhole;
  keyhole.addEllipse(QPointF(24, 31), 3.5, 3.5);
  keyhole.addRect(QRectF(22.5, 32, 3, 8));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x40, 0x2A, 0x05));
  p.drawPath(keyhole.simplified());
  return pixmap;
}

}  // namespace

frmLogin::frmLogin(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmLogin"));
  setWindowTitle(tr("请输入进入调整模式的密码"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  auto* picture = new QLabel(this);
  picture->setPixmap(padlockPicture());

  txtPassword_ = new QLineEdit(this);
  txtPassword_->setObjectName(QStringLiteral("txtPassword"));
  txtPassword_->setEchoMode(QLineEdit::Password);
  // Every typed character shows as "*", whatever mask the platform's style would pick.
  txtPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
  txtPassword_->setMinimumWidth(180);
  txtPassword_->setAccessibleName(tr("密码"));

  cmdOK_ = new QPushButton(tr("确定"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setDefault(true);
  cmdCancel_ = new QPushButton(tr("取消"), this);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel_->setAutoDefault(false);

  auto* top = new QHBoxLayout;
  top->addWidget(picture);
  top->addWidget(txtPassword_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK_);
  buttons->addWidget(cmdCancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(txtPassword_, cmdOK_);
  setTabOrder(cmdOK_, cmdCancel_);
  txtPassword_->setFocus();

  connect(cmdOK_, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
  // Esc and the close box end in reject(), which leaves the result false.

  adjustSize();
  centreOnScreen(this);
}

void frmLogin::cmdOK_Click() {
  if (txtPassword_->text() == kAccessCode) {
    succeeded_ = true;
    accept();
    return;
  }
  prompts::message(this, tr("密码不正确，请重新输入"), tr("错误"), prompts::Icon::Critical);
  if (attempt_ == kLastAttempt) {
    reject();
    return;
  }
  ++attempt_;
  // The wrong code stays selected so that the next typing replaces it.
  txtPassword_->setFocus();
  txtPassword_->selectAll();
}

void frmLogin::cmdCancel_Click() {
  succeeded_ = false;
  reject();
}

}  // namespace kv
