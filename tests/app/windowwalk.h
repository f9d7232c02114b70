#pragma once

#include <QTemporaryDir>
#include <functional>

#include "../editor/editorfixture.h"
#include "app/frmabout.h"
#include "app/helpwindow.h"
#include "editor/mainfrm.h"
#include "image/inifile.h"
#include "preview/printpreview.h"
#include "preview/prnprv.h"
#include "transfer/frmdk.h"
#include "transfer/frmfleet.h"
#include "transfer/frmwait.h"
#include "transfer/portchoice.h"
#include "tune/frmlogin.h"
#include "tune/frmmode.h"

namespace kv::test {

// Every window of the program over `w`, each made in the current language, shown and checked
// by `check`.
inline void walkWindows(mainFrm& w, const std::function<void(QWidget*)>& check) {
  check(&w);
  mainFrm editing;  // each of the grid's lists open over its cell, in a window of its own
  for (const int column :
       std::initializer_list<int>{kRxSignal, kBusyLock, kBandwidth, kTxPower, 0}) {
    check(&editing);
    if (column) clickCell(editing, 1, column);
  }
  frmDK ports(PortChoice{}, &w);
  check(&ports);
  frmWAIT progress(&w);
  check(&progress);
  frmFleet fleet([&w] { return std::optional<RadioData>(w.data()); }, &w);
  check(&fleet);
  frmLogin login(&w);
  check(&login);
  QTemporaryDir dir;
  IniFile settings(dir.filePath(QStringLiteral("Sfc.ini")));
  TuneValues tune;
  frmMODE mode(tune, w.bands(), 0, w.bandLabelText(), settings, &w);
  check(&mode);
  frmAbout about(&w);
  check(&about);
  HelpWindow help(&w);
  check(&help);
  runPrintPreview(&w, w.data(), w.bandLabelText());
  check(prnPrv());
  delete prnPrv();
}

}  // namespace kv::test
