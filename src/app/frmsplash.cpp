#include "app/frmsplash.h"

#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace kv {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* picture = new QLabel(this);
  picture->setPixmap(QPixmap(QStringLiteral(":/app/splash.png")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture);

  timer_->setSingleShot(true);
  timer_->setInterval(1000);
  // The main window is shown before the splash closes, so that the program never runs
  // without a window.
  connect(timer_, &QTimer::timeout, this, [this] {
    emit finished();
    close();
  });
}

void frmSplash::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  move(screen()->availableGeometry().center() - rect().center());
  timer_->start();
}

}  // namespace kv
