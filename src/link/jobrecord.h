#pragma once

#include <QDateTime>
#include <QString>

#include "image/joblog.h"
#include "link/portlist.h"
#include "link/radiojob.h"

namespace kv {

// The job log's line for a job on one radio: its `action` ("write", "read" or "compare"), how
// it ended, the port as the user named it (`portText`) with the adapter's USB id and serial
// number from `port`, the model and hash of the image written or read, its backup and what a
// verify or a comparison found.
JobEntry jobEntry(const QString& action, const JobOutcome& outcome, const QString& portText,
                  const PortInfo& port, const QDateTime& when = QDateTime::currentDateTime());

}  // namespace kv
