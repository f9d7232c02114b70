#include "app/languagemenu.h"

#include <QActionGroup>
#include <QMenu>

#include "editor/mainfrm.h"
#include "image/programlanguage.h"
#include "ui/usersettings.h"

namespace kv {

void addLanguageMenu(mainFrm& w) {
  auto* help = w.findChild<QMenu*>(QStringLiteral("mnuHelp"));
  const QList<QAction*> entries = help->actions();
  // The labels read the same in both languages: whoever cannot read one finds the other.
  auto* menu = new QMenu(QStringLiteral("语言 / Language"), help);
  menu->setObjectName(QStringLiteral("mnuLanguage"));
  help->insertMenu(entries.value(1), menu);
  auto* group = new QActionGroup(menu);
  const struct {
    const char* name;
    QString label;
    Language language;
  } choices[] = {{"mnuChinese", QStringLiteral("中文"), Language::Chinese},
                 {"mnuEnglish", QStringLiteral("English"), Language::English}};
  for (const auto& choice : choices) {
    QAction* action = menu->addAction(choice.label);
    action->setObjectName(QString::fromLatin1(choice.name));
    action->setCheckable(true);
    action->setChecked(choice.language == currentLanguage());
    group->addAction(action);
    QObject::connect(action, &QAction::triggered, action, [language = choice.language] {
      UserSettings().setLanguage(language);
      if (language != currentLanguage()) useLanguage(language);
    });
  }
}

}  // namespace kv
