#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace kv {

// Every message box, question and file dialog of the program goes through here, so that
// tests can answer them without a modal loop and check what was shown.
namespace prompts {

enum class Icon { None, Information, Warning, Critical, Question };
enum class Buttons { Ok, OkCancel };

struct Shown {
  QString text;
  QString title;
  Icon icon = Icon::None;
  Buttons buttons = Buttons::Ok;
};

// A message box with Chinese button captions ("确定", "取消"). True when OK was chosen.
// An empty title means the application's own name.
bool message(QWidget* parent, const QString& text, const QString& title, Icon icon,
             Buttons buttons = Buttons::Ok);

// File dialogs; an empty text means the user cancelled. `filter` uses Qt's ";;" form.
// The save dialog asks before replacing an existing file.
QString openFileName(QWidget* parent, const QString& filter);
QString saveFileName(QWidget* parent, const QString& filter);

// --- Test seam -----------------------------------------------------------------------
// In test mode nothing is shown: messages are recorded and answered from the queue
// (OK when it is empty), file dialogs answer from their queue ("" when empty).
void setTestMode(bool on);
void queueAnswer(bool ok);
void queueFileName(const QString& path);
const QList<Shown>& shown();
void clearShown();

}  // namespace prompts
}  // namespace kv
