#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace kv {

// Every message box, question and file dialog of the program goes through here, so that
// tests can answer them without a modal loop and check what was shown.
namespace prompts {

enum class Icon { None, Information, Warning, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNoCancel, YesNo };
enum class Answer { Yes, No, Cancel };

struct Shown {
  QString text;
  QString title;
  Icon icon = Icon::None;
  Buttons buttons = Buttons::Ok;
  QStringList captions;  // the buttons' captions, in the order the box shows them
  Answer defaultAnswer = Answer::Yes;
};

// The captions of a message's OK and Cancel buttons where a question needs its own words;
// empty ones are "确定" and "取消".
struct Captions {
  QString ok;
  QString cancel;
};

// A message box with Chinese button captions ("确定", "取消"). True when OK was chosen.
// An empty title means the application's own name.
bool message(QWidget* parent, const QString& text, const QString& title, Icon icon,
             Buttons buttons = Buttons::Ok, const Captions& captions = {});

// A message with a second button, `action`, beside "确定", which stays the default and what
// closing the box chooses. True when `action` was chosen.
bool messageOffering(QWidget* parent, const QString& text, const QString& title, Icon icon,
                     const QString& action);

// A question with the buttons "是", "否" and "取消" (or only "是" and "否"); `defaultAnswer` ("是"
// unless given) is the default button, closing the box is "取消" (or "否").
Answer question(QWidget* parent, const QString& text, const QString& title, Icon icon,
                Buttons buttons = Buttons::YesNoCancel, Answer defaultAnswer = Answer::Yes);

// File dialogs; an empty text means the user cancelled. `filter` uses Qt's ";;" form; the
// dialog starts at `start`, a folder or a file in it. The save dialog asks before replacing
// an existing file. An empty title is "打开" or "另存" in the current language.
QString openFileName(QWidget* parent, const QString& filter, const QString& start = QString(),
                     const QString& title = QString());
// `selectedFilter`, when given, holds the file type the user chose (the first by default).
QString saveFileName(QWidget* parent, const QString& filter, const QString& start = QString(),
                     const QString& title = QString(), QString* selectedFilter = nullptr);

// Hands `url` to the desktop (a folder opens in the file manager). False when nothing took it.
bool openUrl(const QUrl& url);

// A file dialog as a test sees it.
struct FileDialog {
  QString title;
  QString start;
};

// --- Test seam -----------------------------------------------------------------------
// In test mode nothing is shown: messages and questions are recorded and answered from one
// queue in the order they are shown (the default button when it is empty), file dialogs answer
// from their queue ("" when empty) and are recorded apart, and so are the addresses handed to
// the desktop (nothing is opened). A message takes Yes as OK and anything else as Cancel, or as
// its action.
void setTestMode(bool on);
void queueAnswer(bool ok);
void queueAnswer(Answer answer);
// The next file dialog's answer, and for a save dialog the file type chosen (none: the first).
void queueFileName(const QString& path, const QString& selectedFilter = QString());
const QList<Shown>& shown();
void clearShown();
const QList<FileDialog>& fileDialogs();
const QList<QUrl>& openedUrls();

}  // namespace prompts
}  // namespace kv
