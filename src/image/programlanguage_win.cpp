#include <windows.h>

#include "image/programlanguage.h"

namespace kv {

Language environmentLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? Language::Chinese
                                                                   : Language::English;
}

}  // namespace kv
