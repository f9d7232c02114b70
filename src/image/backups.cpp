#include "image/backups.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

#include "image/atomicfile.h"

namespace kv {
namespace {

// The names this program gives its backups; other files in the folder are left alone.
const QRegularExpression& backupName() {
  static const QRegularExpression name(QStringLiteral(R"(^\d{8}-\d{6}-\w+-.+\.chp$)"));
  return name;
}

void prune(QDir dir) {
  QStringList names = dir.entryList({QStringLiteral("*.chp")}, QDir::Files, QDir::Name);
  names.removeIf([](const QString& n) { return !backupName().match(n).hasMatch(); });
  // The names begin with the time, so name order is age order.
  for (qsizetype i = 0; i + kBackupsKept < names.size(); ++i) dir.remove(names[i]);
}

}  // namespace

QString backupFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("backups"));
}

QString backupPortName(const QString& device) {
  QString name = device;
  if (name.startsWith(QLatin1String("/dev/"))) name.remove(0, 5);
  while (name.startsWith(QLatin1Char('/'))) name.remove(0, 1);
  return name.replace(QLatin1Char('/'), QLatin1Char('-'));
}

Backup keepBackup(const QString& folder, const QByteArray& chpText, const QString& direction,
                  const QString& device, const QDateTime& when) {
  Backup backup;
  const QDir dir(folder);
  if (!dir.mkpath(QStringLiteral("."))) {
    backup.error = QStringLiteral("cannot create the folder %1").arg(folder);
    return backup;
  }
  const QString stem =
      QStringLiteral("%1-%2-%3")
          .arg(when.toString(QStringLiteral("yyyyMMdd-HHmmss")), direction, backupPortName(device));
  QString name = stem + QStringLiteral(".chp");
  for (int n = 2; dir.exists(name); ++n) name = QStringLiteral("%1-%2.chp").arg(stem).arg(n);
  backup.path = dir.filePath(name);
  if ((backup.error = writeFileAtomically(backup.path, chpText))) {
    backup.path.clear();
    return backup;
  }
  prune(dir);
  return backup;
}

}  // namespace kv
