#include "app/helpwindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace kv {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Tervan软件帮助"));
  setAttribute(Qt::WA_DeleteOnClose);
  browser_->setOpenExternalLinks(true);
  browser_->document()->setDocumentMargin(16);
  browser_->setSource(QUrl(QStringLiteral("qrc:/app/manual.html")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(720, 640);
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
