#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "image/usersettingsformat.h"

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

// The user's own settings as the programs keep them (on Windows an INI file, not the registry).
inline QSettings userSettings() {
  return QSettings(kv::userSettingsFormat(), QSettings::UserScope,
                   QCoreApplication::applicationName(), QCoreApplication::applicationName());
}

// Gives this test process, and the programs it starts, data and configuration folders of
// their own (XDG_DATA_HOME, XDG_CONFIG_HOME): the backups of every transfer and the read's
// scratch file land there, never among the user's, and no other test's appear. Call it
// before anything asks for a folder; returns the data folder.
inline QString useTemporaryDataFolders() {
  static QTemporaryDir folder;
  qputenv("XDG_DATA_HOME", folder.filePath(QStringLiteral("data")).toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
  QStandardPaths::setTestModeEnabled(false);
  return folder.filePath(QStringLiteral("data"));
}

}  // namespace kvtest
