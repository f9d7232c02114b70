#pragma once

#include <QString>
#include <optional>

namespace kv {

// The two languages of every program's texts. Chinese is the language the texts are written
// in; English comes from the translation embedded in the programs.
enum class Language { Chinese, English };

// The language the environment asks for when the user chose none. On Linux the first of
// LC_ALL, LC_MESSAGES and LANG that is set decides; "zh…", "C", "C.…", "POSIX" or none set mean
// Chinese, anything else English. On Windows the user's display language decides: Chinese
// (any region) means Chinese, anything else English.
Language environmentLanguage();

// "zh" and "en", as --lang and the user's settings spell them.
std::optional<Language> languageNamed(const QString& code);
QString languageCode(Language language);

// Where Qt's own Chinese texts ("qtbase_zh_CN.qm") are: the system's Qt translations on Linux;
// on Windows the folder "translations" beside the program, which the installer and the zip fill.
QString qtTranslationsFolder();

// Puts the program's texts and Qt's own into `language`. Every widget gets a LanguageChange
// event. Needs the QCoreApplication.
void useLanguage(Language language);
// The language last given to useLanguage(); Chinese before the first call.
Language currentLanguage();

}  // namespace kv
