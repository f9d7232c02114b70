#include "app/frmsplash.h"

#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "image/programlanguage.h"

namespace kv {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* picture = new QLabel(this);
  picture->setPixmap(QPixmap(frmSplash::picture()));
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

QString frmSplash::picture() {
  return currentLanguage() == Language::English ? QStringLiteral(":/app/splash_en.png")
                                                : QStringLiteral(":/app/splash.png");
}

void frmSplash::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  move(screen()->availableGeometry().center() - rect().center());
  timer_->start();
}

}  // namespace kv
