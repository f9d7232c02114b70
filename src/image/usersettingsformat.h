#pragma once

#include <QSettings>

namespace kv {

// The format of the user's own settings: the native one on Linux (~/.config/kvprog/kvprog.conf);
// an INI file on Windows (%APPDATA%\kvprog\kvprog.ini), where the native one is the registry.
QSettings::Format userSettingsFormat();

}  // namespace kv
