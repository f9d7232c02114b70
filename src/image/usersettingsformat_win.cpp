#include "image/usersettingsformat.h"

namespace kv {

QSettings::Format userSettingsFormat() { return QSettings::IniFormat; }

}  // namespace kv
