#pragma once

#include <QSettings>
#include <QTemporaryDir>

namespace kvtest {

// Points the user's own settings (recent files, the last folder, the port) at a folder of this
// run, so that no test reads or changes the settings of the person running it. Call it before
// the first window is made; returns the folder.
inline QString useTemporaryUserSettings() {
  static QTemporaryDir folder;
  for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
    QSettings::setPath(format, QSettings::UserScope, folder.path());
  return folder.path();
}

}  // namespace kvtest
