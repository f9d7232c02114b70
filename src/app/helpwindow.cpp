#include "app/helpwindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "image/programlanguage.h"
#include "ui/screenfit.h"

namespace kv {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  browser_->setOpenExternalLinks(true);
  browser_->document()->setDocumentMargin(16);
  showTexts();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(sizeOnScreen(this, QSize(720, 640)));
}

void HelpWindow::showTexts() {
  setWindowTitle(tr("Tervan软件帮助"));
  browser_->setAccessibleName(windowTitle());
  browser_->setSource(QUrl(currentLanguage() == Language::English
                               ? QStringLiteral("qrc:/app/manual_en.html")
                               : QStringLiteral("qrc:/app/manual.html")));
}

void HelpWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) showTexts();
  QWidget::changeEvent(event);
}

QString HelpWindow::helpFileName() { return QStringLiteral("Tervan软件帮助.chm"); }

void HelpWindow::showHelp(QWidget* parent) {
  const QFileInfo file(QDir(QCoreApplication::applicationDirPath()).filePath(helpFileName()));
  if (file.isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
    return;
  static QPointer<HelpWindow> window;
  if (!window) {
    window = new HelpWindow(parent);
    if (parent) window->move(parent->window()->geometry().center() - window->rect().center());
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace kv
