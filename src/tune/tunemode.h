#pragma once

#include <QString>

#include "model/radiodata.h"
#include "model/radiomodel.h"

class QWidget;

namespace kv {

class IniFile;

// The menu command "调整模式(&T)": the access dialog, then, on the right code, the tune
// window, both modal. `bands` are the main window's band texts; the one changed band goes
// there and, through "退出调整", into `settings`.
void runTuneMode(QWidget* parent, TuneValues& tune, Bands& bands, int mainModel,
                 const QString& bandLabelText, IniFile& settings);

}  // namespace kv
