#pragma once

#include <QString>
#include <variant>

#include "model/failure.h"

class QStatusBar;
class QWidget;

namespace kv {

// The port the transfers of this run use. At start it is the port chosen in an earlier
// run, found again by what identifies it when it is plugged in; else, and whenever
// KVPROG_PORTS names ports for the run, COM1, the first listed port.
void restoreRememberedPort();

// The port menu's "选择端口(&P)": the port dialog, then the chosen port (and the device
// behind it) shown in `status` when given. The choice is remembered for later runs.
void runPortDialog(QWidget* parent, QStatusBar* status);

// The chosen port's place in the list (DKH): 0 for COM1.
int currentPortIndex();
// The chosen port as the user knows it: "COM1".
QString currentPortName();
// "COM1：/dev/ttyUSB0", for the status bar.
QString currentPortText();
// The device the next transfer opens, or why there is none.
std::variant<QString, Failure> currentPortDevice();

}  // namespace kv
