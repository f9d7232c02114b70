#pragma once

#include <QFileDevice>
#include <QString>
#include <optional>

namespace kv {

// Makes the system put what was written to the open `file` on the disk before it returns, so
// that a power cut after a rename never leaves an empty file; why not when it could not.
// Each platform has its own call.
std::optional<QString> syncToDisk(QFileDevice& file);

}  // namespace kv
