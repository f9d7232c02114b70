#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace kv {

// Every file the programs write goes through here.

// Replaces the file at `path` with `bytes` in one step: the bytes go to a new file beside it,
// every write, the flush and the sync to the disk are checked, and only then does the new file
// take the old one's place. On any failure (a full disk included) the old file is left byte for
// byte and the reason is returned.
std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes);

// For files that grow a piece at a time (a read's scratch file, the print script): appends
// `bytes`, creating the file when missing, and checks the write, the flush and the close.
std::optional<QString> appendToFile(const QString& path, const QByteArray& bytes);

// Empties the file, creating it when missing.
std::optional<QString> emptyFile(const QString& path);

}  // namespace kv
