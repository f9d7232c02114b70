#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMutex>
#include <QString>
#include <optional>

namespace kv {

// Every image read from or written to a radio is also kept as a channel file, so that a
// mistake on a customer's radio can be undone, weeks later too: a backup younger than
// kBackupDays days is never pruned, however many a busy bench makes; older ones go, oldest
// first, only while the folder holds more than kBackupsKept.
constexpr int kBackupDays = 90;
constexpr int kBackupsKept = 2000;

// backups/ in the user's data folder.
QString backupFolder();

// How a port's device appears in a backup's name: its path below /dev with "/" as "-"
// ("/dev/pts/3" gives "pts-3", "/dev/ttyUSB0" "ttyUSB0", "COM3" stays "COM3").
QString backupPortName(const QString& device);

struct Backup {
  QString path;                  // the file kept, when it was
  std::optional<QString> error;  // why it could not be
};

// The backups folder of a run: how backups are named, written and pruned. Jobs on several
// threads may share one store; it keeps one at a time in its folder.
class BackupStore {
 public:
  explicit BackupStore(QString folder) : folder_(std::move(folder)) {}

  const QString& folder() const { return folder_; }

  // Keeps the channel file of the memory image `image` as
  // "20261208-093000-write-ttyUSB0-KV--410B(1).chp" (`direction` is "read", "write" or
  // "before"; the model is left out when the image's model byte names none), "-2", "-3"
  // added for more in the same second; then prunes the folder as said above.
  Backup keep(const QByteArray& image, const QString& direction, const QString& device,
              const QDateTime& when = QDateTime::currentDateTime());

 private:
  void prune(const QString& kept);

  const QString folder_;
  QMutex mutex_;
};

}  // namespace kv
