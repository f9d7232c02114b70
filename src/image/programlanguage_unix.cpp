#include <QLibraryInfo>

#include "image/programlanguage.h"

namespace kv {
namespace {

bool namesChinese(const QByteArray& locale) {
  return locale.startsWith("zh") || locale == "C" || locale.startsWith("C.") || locale == "POSIX";
}

}  // namespace

Language environmentLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const QByteArray value = qgetenv(variable);
    if (!value.isEmpty()) return namesChinese(value) ? Language::Chinese : Language::English;
  }
  return Language::Chinese;
}

QString qtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

}  // namespace kv
