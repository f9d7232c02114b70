#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "image/programfolders.h"

namespace kv {

void configureApplication(QApplication& app) {
  // No display name is set: the window system would append it to every caption.
  useProgramIdentity();
  QGuiApplication::setDesktopFileName(QStringLiteral(KV_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/kvprog.png")));
  QFont font = QApplication::font();
  font.setPointSizeF(std::max(font.pointSizeF(), 10.5));  // Chinese text stays legible
  QApplication::setFont(font);
  // Qt's own dialogs (the file dialogs and their questions) speak the program's language.
  auto* qtTexts = new QTranslator(&app);
  if (qtTexts->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qtTexts);
}

}  // namespace kv
