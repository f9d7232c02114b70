#include "transfer/frmwait.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/prompts.h"

namespace kv {
namespace {

constexpr int kStartDelayMs = 500;
constexpr int kFullBar = 128;
const char* const kDone = QT_TRANSLATE_NOOP("kv::frmWAIT", "确定");

}  // namespace

bool confirmStop(QWidget* parent) {
  // Its own words for the buttons: in English "OK" and "Cancel" would read as the opposite.
  return prompts::message(parent, QCoreApplication::translate("kv::StopQuestion", "确定要取消吗"),
                          QCoreApplication::translate("kv::StopQuestion", "提示"),
                          prompts::Icon::None, prompts::Buttons::OkCancel,
                          {QCoreApplication::translate("kv::StopQuestion", "确定"),
                           QCoreApplication::translate("kv::StopQuestion", "取消")});
}

frmWAIT::frmWAIT(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmWAIT"));
  setWindowTitle(tr("正在向对讲机读取数据。。。"));
  setModal(true);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("pgbCount"));
  bar_->setRange(0, kFullBar);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setMinimumHeight(29);
  bar_->setAccessibleName(windowTitle());
  cancel_ = new QPushButton(tr("取消"), this);
  cancel_->setObjectName(QStringLiteral("cmdCancel"));
  cancel_->setMinimumWidth(70);
  connect(cancel_, &QPushButton::clicked, this, &frmWAIT::cancelClicked);

  step_ = new QLabel(this);
  step_->setObjectName(QStringLiteral("lblStep"));
  step_->hide();

  auto* row = new QHBoxLayout;
  row->addWidget(step_);
  row->addStretch();
  row->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 8, 6, 6);
  layout->addWidget(bar_);
  layout->addLayout(row);
  setFixedSize(400, sizeHint().height());

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setSingleShot(true);
  timer1_->setInterval(kStartDelayMs);
  connect(timer1_, &QTimer::timeout, this, &frmWAIT::startTransfer);
  timer1_->start();
}

void frmWAIT::setCaption(const QString& caption) {
  // The caption says what runs and which way; the bar is named after it.
  setWindowTitle(caption);
  bar_->setAccessibleName(caption);
}

void frmWAIT::setProgress(int value) { bar_->setValue(value); }

void frmWAIT::setStep(const QString& step) {
  step_->setText(step);
  bar_->setAccessibleDescription(step);
  step_->show();
  bar_->setValue(0);  // each transfer fills the bar anew
}

void frmWAIT::finish() {
  finished_ = true;
  bar_->setValue(kFullBar);
  cancel_->setText(tr(kDone));
  accept();
}

void frmWAIT::reject() { cancelClicked(); }

void frmWAIT::cancelClicked() {
  if (cancel_->text() == tr(kDone)) {
    accept();
    return;
  }
  if (!confirmStop(this)) return;
  if (finished_) return;  // the transfer ended while the question was open
  goOn_ = false;
  timer1_->stop();
  emit cancelConfirmed();
  done(Rejected);
}

}  // namespace kv
