#include "tune/tunemode.h"

#include "tune/frmlogin.h"
#include "tune/frmmode.h"

namespace kv {

void runTuneMode(QWidget* parent, TuneValues& tune, Bands& bands, int mainModel,
                 const QString& bandLabelText, IniFile& settings) {
  {
    frmLogin login(parent);
    login.exec();
    if (!login.LoginSucceeded()) return;
  }
  frmMODE window(tune, bands, mainModel, bandLabelText, settings, parent);
  window.exec();
}

}  // namespace kv
