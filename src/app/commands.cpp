#include "app/commands.h"

#include <QStatusBar>

#include "app/frmabout.h"
#include "app/helpwindow.h"
#include "app/languagemenu.h"
#include "editor/channelgrid.h"
#include "editor/mainfrm.h"
#include "image/inifile.h"
#include "image/programfolders.h"
#include "preview/printpreview.h"
#include "print/printscript.h"
#include "transfer/frmfleet.h"
#include "transfer/frmjoblog.h"
#include "transfer/linkcheckcommand.h"
#include "transfer/portchoice.h"
#include "transfer/transfercommands.h"
#include "tune/tunemode.h"
#include "ui/writeoption.h"

namespace kv {

namespace {

// The document as the Write command sends it: after the cell being edited has been checked as
// leaving it would; nothing when that check refused it.
std::optional<RadioData> checkedData(mainFrm& w) {
  if (!w.channelGrid()->checkEditedCell()) return std::nullopt;
  return w.data();
}

}  // namespace

void wireCommands(mainFrm& w) {
  using Command = mainFrm::Command;
  w.setCommand(Command::Read, [&w] {
    runReadCommand(
        &w, [&w](const QString& scratch) { return w.loadReceived(scratch); },
        [&w](const QByteArray& lines) { return w.loadReceivedText(lines); });
  });
  w.setCommand(Command::Write, [&w] {
    runWriteCommand(
        &w, w.data(),
        {.readFirst = WriteOption::readFirst().isOn(), .verify = WriteOption::verify().isOn()});
  });
  w.setCommand(Command::FleetWrite, [&w] { frmFleet([&w] { return checkedData(w); }, &w).exec(); });
  w.setCommand(Command::Compare, [&w] {
    if (const auto data = checkedData(w)) runCompareCommand(&w, *data);
  });
  w.setCommand(Command::Check, [&w] { runCheckCommand(&w); });
  w.setCommand(Command::JobLog, [&w] {
    frmJobLog([&w](const QString& backup) { return w.openBackupFile(backup); }, &w).exec();
  });
  w.setCommand(Command::Port, [&w] { runPortDialog(&w, w.statusBar()); });
  w.setCommand(Command::Tune, [&w] {
    // The settings file is looked up anew: a technician may have created or renamed it.
    IniFile settings(settingsFile());
    // The crystal, IF side and trim set in tune mode are stored in the file: changing them is a
    // step like any other.
    RadioData after = w.data();
    runTuneMode(&w, after.tune, w.bands(), after.settings.model, w.bandLabelText(), settings);
    w.document().change(after);
  });
  w.setCommand(Command::Print, [&w] { runPrintPreview(&w, w.data(), w.bandLabelText()); });
  w.setCommand(Command::Help, [&w] { HelpWindow::showHelp(&w); });
  w.setCommand(Command::About, [&w] { frmAbout(&w).exec(); });
  addLanguageMenu(w);
  QObject::connect(&w, &mainFrm::closing, [] { DeleteScript(); });
  // Which port the next transfer uses, and the device behind it.
  restoreRememberedPort();
  const auto showPort = [&w] { w.statusBar()->showMessage(currentPortText()); };
  showPort();
  QObject::connect(&w, &mainFrm::languageChanged, &w, showPort);
}

}  // namespace kv
