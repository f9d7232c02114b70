#pragma once

#include <QObject>

class QAbstractButton;
class QAction;

namespace kv {

class UserSettings;

// 编程's "写频前先备份" and "写频后校验", which the batch write dialog shows too: one setting
// each, kept in the user's settings. Every control bound to one shows it and changes it, and
// the others follow at once.
class WriteOption : public QObject {
  Q_OBJECT

 public:
  static WriteOption& readFirst();
  static WriteOption& verify();

  bool isOn() const;
  void setOn(bool on);
  // The control shows the setting from now on, and its ticks change it.
  void bind(QAction* action);
  void bind(QAbstractButton* box);

 signals:
  void changed(bool on);

 private:
  using Getter = bool (UserSettings::*)() const;
  using Setter = void (UserSettings::*)(bool);
  WriteOption(Getter get, Setter set) : get_(get), set_(set) {}
  template <typename Control>
  void bindControl(Control* control);

  const Getter get_;
  const Setter set_;
};

}  // namespace kv
