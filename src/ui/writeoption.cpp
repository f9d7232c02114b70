#include "ui/writeoption.h"

#include <QAbstractButton>
#include <QAction>

#include "ui/usersettings.h"

namespace kv {

WriteOption& WriteOption::readFirst() {
  static WriteOption option(&UserSettings::readFirst, &UserSettings::setReadFirst);
  return option;
}

WriteOption& WriteOption::verify() {
  static WriteOption option(&UserSettings::verifyAfterWrite, &UserSettings::setVerifyAfterWrite);
  return option;
}

bool WriteOption::isOn() const { return (UserSettings().*get_)(); }

void WriteOption::setOn(bool on) {
  if (on == isOn()) return;
  UserSettings settings;
  (settings.*set_)(on);
  emit changed(on);
}

template <typename Control>
void WriteOption::bindControl(Control* control) {
  control->setCheckable(true);
  control->setChecked(isOn());
  connect(control, &Control::toggled, this, &WriteOption::setOn);
  connect(this, &WriteOption::changed, control, &Control::setChecked);
}

void WriteOption::bind(QAction* action) { bindControl(action); }

void WriteOption::bind(QAbstractButton* box) { bindControl(box); }

}  // namespace kv
