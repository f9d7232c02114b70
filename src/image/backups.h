#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace kv {

// Every image read from or written to a radio is also kept as a channel file, so that a
// mistake on a customer's radio can be undone. Only the newest kBackupsKept are kept.
constexpr int kBackupsKept = 200;

// backups/ in the user's data folder.
QString backupFolder();

// How a port's device appears in a backup's name: its path below /dev with "/" as "-"
// ("/dev/pts/3" gives "pts-3", "/dev/ttyUSB0" "ttyUSB0", "COM3" stays "COM3").
QString backupPortName(const QString& device);

struct Backup {
  QString path;                  // the file written, when it was
  std::optional<QString> error;  // why it could not be
};

// Keeps `chpText` in `folder` as "20261208-093000-write-ttyUSB0.chp" (`direction` is "read",
// "write" or "before"), "-2", "-3" added for more in the same second, then removes the oldest
// backups past kBackupsKept.
Backup keepBackup(const QString& folder, const QByteArray& chpText, const QString& direction,
                  const QString& device, const QDateTime& when = QDateTime::currentDateTime());

}  // namespace kv
