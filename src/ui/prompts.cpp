#include "ui/prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

namespace kv::prompts {
namespace {

struct TestState {
  bool on = false;
  QQueue<bool> answers;
  QQueue<QString> fileNames;
  QList<Shown> shown;
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

QString testFileName() {
  return test().fileNames.isEmpty() ? QString() : test().fileNames.dequeue();
}

}  // namespace

bool message(QWidget* parent, const QString& text, const QString& title, Icon icon,
             Buttons buttons) {
  const QString caption = title.isEmpty() ? QApplication::applicationDisplayName() : title;
  if (test().on) {
    test().shown.append({text, caption, icon, buttons});
    return test().answers.isEmpty() ? true : test().answers.dequeue();
  }
  QMessageBox box(qtIcon(icon), caption, text, QMessageBox::NoButton, parent);
  QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  if (buttons == Buttons::OkCancel) box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  box.setDefaultButton(ok);
  box.exec();
  return box.clickedButton() == ok;
}

QString openFileName(QWidget* parent, const QString& filter) {
  if (test().on) return testFileName();
  return QFileDialog::getOpenFileName(parent, QStringLiteral("打开"), QString(), filter);
}

QString saveFileName(QWidget* parent, const QString& filter) {
  if (test().on) return testFileName();
  return QFileDialog::getSaveFileName(parent, QStringLiteral("另存"), QString(), filter);
}

void setTestMode(bool on) { test() = TestState{on, {}, {}, {}}; }
void queueAnswer(bool ok) { test().answers.enqueue(ok); }
void queueFileName(const QString& path) { test().fileNames.enqueue(path); }
const QList<Shown>& shown() { return test().shown; }
void clearShown() { test().shown.clear(); }

}  // namespace kv::prompts
