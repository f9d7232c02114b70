#pragma once

class QAction;
class QObject;

namespace kv {

// Gives `action` the current language's translation of `source`, a text marked with
// QT_TRANSLATE_NOOP in `context`, and keeps both so that retranslateActions() can give it
// another language's at a language change.
void setTranslatedText(QAction* action, const char* context, const char* source);
// Gives every action under `root` that has a kept text its translation in the current
// language: menu titles, menu entries and toolbar buttons.
void retranslateActions(QObject* root);

}  // namespace kv
