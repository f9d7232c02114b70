#pragma once

#include <QString>

namespace kv {

class mainFrm;

// Opens a channel file named on the command line once the window is up. A file that does
// not load gets the Open's message and leaves the window empty, as at any other start.
void openAtStart(mainFrm& window, const QString& path);

// Lets a ".chp" file dropped on the window (from a file manager) open in it, after the
// question about unsaved changes.
void acceptChpDrops(mainFrm& window);

}  // namespace kv
