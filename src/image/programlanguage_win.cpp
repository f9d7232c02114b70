#include <windows.h>

#include <QCoreApplication>

#include "image/programlanguage.h"

namespace kv {

Language environmentLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? Language::Chinese
                                                                   : Language::English;
}

QString qtTranslationsFolder() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}

}  // namespace kv
