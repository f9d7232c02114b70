#pragma once

#include <QWidget>

class QTextBrowser;

namespace kv {

// The user manual: the help file beside the program when there is one, else the manual
// shipped inside the program in the current language, in a window of its own.
class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // The help file looked for beside the program.
  static QString helpFileName();
  // Opens the help file with the desktop's viewer, or shows (and raises) the manual window.
  static void showHelp(QWidget* parent);

  QTextBrowser* browser() const { return browser_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // The caption and the manual of the current language.
  void showTexts();

  QTextBrowser* browser_;
};

}  // namespace kv
