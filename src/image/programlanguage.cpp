#include "image/programlanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace kv {
namespace {

Language current = Language::Chinese;
QTranslator* installed = nullptr;  // owned by the QCoreApplication

}  // namespace

std::optional<Language> languageNamed(const QString& code) {
  if (code == QLatin1String("zh")) return Language::Chinese;
  if (code == QLatin1String("en")) return Language::English;
  return std::nullopt;
}

QString languageCode(Language language) {
  return language == Language::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
}

void useLanguage(Language language) {
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
  }
  current = language;
  // The program's own texts are Chinese: only English needs a translation of them. Qt's own
  // texts (the file dialogs, their questions) are English: only Chinese needs one of those.
  auto* translator = new QTranslator(QCoreApplication::instance());
  const bool loaded =
      language == Language::English
          ? translator->load(QStringLiteral(":/i18n/kvprog_en.qm"))
          : translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                             QStringLiteral("_"), qtTranslationsFolder());
  if (!loaded) {  // removing the other language's translator already told every window
    delete translator;
    return;
  }
  installed = translator;
  QCoreApplication::installTranslator(translator);
}

Language currentLanguage() { return current; }

}  // namespace kv
