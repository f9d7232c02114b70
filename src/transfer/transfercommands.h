#pragma once

#include <QString>
#include <functional>

#include "link/radiojob.h"
#include "model/radiodata.h"

class QWidget;

namespace kv {

// The main window's Write command ("写频"): confirmation, the port opened, the progress
// window running the write and its checks, then what they found ("写频并校验成功" or the
// differences). Every image read or written is kept as a backup. True when every block
// went through and the checks passed.
bool runWriteCommand(QWidget* parent, const RadioData& data, WriteChecks checks = {});

// The main window's Read command ("读频"): confirmation, the port opened, the scratch file
// deleted, the progress window running the read; `load` (the main window's loader) gets
// the scratch file on the GUI thread before the window closes. A complete read is kept as a
// backup. True when all 128 blocks were read.
bool runReadCommand(QWidget* parent, const std::function<void(const QString& scratchPath)>& load);

// The read's scratch file, in the user's data folder.
QString scratchFilePath();

// Time-outs and wait slices of the transfers the window runs (tests shorten them).
void setLinkOptions(const LinkOptions& options);

}  // namespace kv
