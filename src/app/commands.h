#pragma once

namespace kv {

class mainFrm;

// Connects the main window's commands to the windows of the other layers: the radio link,
// the port dialog, tune mode, the report preview, help and the about box; and clears the
// print script away when the window closes.
void wireCommands(mainFrm& window);

}  // namespace kv
