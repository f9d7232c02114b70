#include "ui/prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

namespace kv::prompts {
namespace {

struct TestState {
  bool on = false;
  QQueue<Answer> answers;
  QQueue<std::pair<QString, QString>> fileNames;  // a path and the file type chosen
  QList<Shown> shown;
  QList<FileDialog> fileDialogs;
  QList<QUrl> openedUrls;
};

TestState& test() {
  static TestState state;
  return state;
}

QMessageBox::Icon qtIcon(Icon icon) {
  switch (icon) {
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Critical:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// Records what a box would show and takes the next queued answer.
Answer testAnswer(Shown shown) {
  const Answer byDefault = shown.defaultAnswer;
  test().shown.append(std::move(shown));
  return test().answers.isEmpty() ? byDefault : test().answers.dequeue();
}

// An empty title means the application's own name.
QString boxTitle(const QString& title) {
  return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

QString testFileName(FileDialog dialog, QString* selectedFilter = nullptr) {
  test().fileDialogs.append(std::move(dialog));
  if (test().fileNames.isEmpty()) return QString();
  const auto [path, filter] = test().fileNames.dequeue();
  if (selectedFilter && !filter.isEmpty()) *selectedFilter = filter;
  return path;
}

}  // namespace

bool message(QWidget* parent, const QString& text, const QString& title, Icon icon, Buttons buttons,
             const Captions& given) {
  const QString caption = boxTitle(title);
  QStringList captions{given.ok.isEmpty() ? QCoreApplication::translate("kv::prompts", "确定")
                                          : given.ok};
  if (buttons == Buttons::OkCancel)
    captions << (given.cancel.isEmpty() ? QCoreApplication::translate("kv::prompts", "取消")
                                        : given.cancel);
  if (test().on) return testAnswer({text, caption, icon, buttons, captions}) == Answer::Yes;
  QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, parent);
  QPushButton* ok = box.addButton(captions[0], QMessageBox::AcceptRole);
  if (buttons == Buttons::OkCancel) box.addButton(captions[1], QMessageBox::RejectRole);
  box.setDefaultButton(ok);
  box.exec();
  return box.clickedButton() == ok;
}

bool messageOffering(QWidget* parent, const QString& text, const QString& title, Icon icon,
                     const QString& action) {
  const QString caption = boxTitle(title);
  const QStringList captions{QCoreApplication::translate("kv::prompts", "确定"), action};
  if (test().on) return testAnswer({text, caption, icon, Buttons::Ok, captions}) != Answer::Yes;
  QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, parent);
  QPushButton* ok = box.addButton(captions[0], QMessageBox::AcceptRole);
  QPushButton* offered = box.addButton(action, QMessageBox::ActionRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return box.clickedButton() == offered;
}

Answer question(QWidget* parent, const QString& text, const QString& title, Icon icon,
                Buttons buttons, Answer defaultAnswer) {
  const QString caption = boxTitle(title);
  QStringList captions{QCoreApplication::translate("kv::prompts", "是"),
                       QCoreApplication::translate("kv::prompts", "否")};
  if (buttons != Buttons::YesNo) captions << QCoreApplication::translate("kv::prompts", "取消");
  if (test().on) return testAnswer({text, caption, icon, buttons, captions, defaultAnswer});
  QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(captions[0], QMessageBox::YesRole);
  QPushButton* no = box.addButton(captions[1], QMessageBox::NoRole);
  QPushButton* cancel =
      buttons == Buttons::YesNo ? nullptr : box.addButton(captions[2], QMessageBox::RejectRole);
  box.setDefaultButton(defaultAnswer == Answer::Yes  ? yes
                       : defaultAnswer == Answer::No ? no
                                                     : cancel);
  box.setEscapeButton(cancel ? cancel : no);
  box.exec();
  if (box.clickedButton() == yes) return Answer::Yes;
  return box.clickedButton() == no ? Answer::No : Answer::Cancel;
}

QString openFileName(QWidget* parent, const QString& filter, const QString& start,
                     const QString& given) {
  const QString title =
      given.isEmpty() ? QCoreApplication::translate("kv::prompts", "打开") : given;
  if (test().on) return testFileName({title, start});
  return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString saveFileName(QWidget* parent, const QString& filter, const QString& start,
                     const QString& given, QString* selectedFilter) {
  const QString title =
      given.isEmpty() ? QCoreApplication::translate("kv::prompts", "另存") : given;
  if (selectedFilter && selectedFilter->isEmpty()) *selectedFilter = filter.section(";;", 0, 0);
  if (test().on) return testFileName({title, start}, selectedFilter);
  return QFileDialog::getSaveFileName(parent, title, start, filter, selectedFilter);
}

bool openUrl(const QUrl& url) {
  if (!test().on) return QDesktopServices::openUrl(url);
  test().openedUrls.append(url);
  return true;
}

void setTestMode(bool on) { test() = TestState{on, {}, {}, {}, {}, {}}; }
void queueAnswer(bool ok) { queueAnswer(ok ? Answer::Yes : Answer::Cancel); }
void queueAnswer(Answer answer) { test().answers.enqueue(answer); }
void queueFileName(const QString& path, const QString& selectedFilter) {
  test().fileNames.enqueue({path, selectedFilter});
}
const QList<Shown>& shown() { return test().shown; }
void clearShown() { test().shown.clear(); }
const QList<FileDialog>& fileDialogs() { return test().fileDialogs; }
const QList<QUrl>& openedUrls() { return test().openedUrls; }

}  // namespace kv::prompts
