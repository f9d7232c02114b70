#include "image/backups.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

#include "image/atomicfile.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "model/radiomodel.h"

namespace kv {
namespace {

// The names this program gives its backups; other files in the folder are left alone.
const QRegularExpression& backupName() {
  static const QRegularExpression name(QStringLiteral(R"(^\d{8}-\d{6}-\w+-.+\.chp$)"));
  return name;
}

// "-KV--410B(1)": the model the image's first byte names, with anything a file name might
// not carry made "_"; empty when the byte names no model.
QString modelPart(const QByteArray& image) {
  if (image.isEmpty()) return {};
  const auto model = findModelByCode(hexToken(quint8(image[0])));
  if (!model) return {};
  QString name = QString::fromUtf8(radioModels()[*model].name);
  static const QRegularExpression other(QStringLiteral(R"([^A-Za-z0-9()\-])"));
  return QLatin1Char('-') + name.replace(other, QStringLiteral("_"));
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

Backup BackupStore::keep(const QByteArray& image, const QString& direction, const QString& device,
                         const QDateTime& when) {
  // The radios of a fleet finish at about the same time; the folder is named into and pruned
  // by one at once.
  QMutexLocker lock(&mutex_);
  Backup backup;
  const QDir dir(folder_);
  if (!dir.mkpath(QStringLiteral("."))) {
    backup.error = QCoreApplication::translate("kv::Backups", "无法创建文件夹“%1”")
                       .arg(QDir::toNativeSeparators(folder_));
    return backup;
  }
  const QString stem = QStringLiteral("%1-%2-%3%4")
                           .arg(when.toString(QStringLiteral("yyyyMMdd-HHmmss")), direction,
                                backupPortName(device), modelPart(image));
  QString name = stem + QStringLiteral(".chp");
  for (int n = 2; dir.exists(name); ++n) name = QStringLiteral("%1-%2.chp").arg(stem).arg(n);
  const QString path = dir.filePath(name);
  if ((backup.error = writeFileAtomically(path, chpText(image)))) return backup;
  prune(name);
  // Another program pruning the same folder may have taken it.
  if (!QFileInfo::exists(path)) {
    backup.error = QCoreApplication::translate("kv::Backups", "备份“%1”写入后已不存在")
                       .arg(QDir::toNativeSeparators(path));
    return backup;
  }
  backup.path = path;
  return backup;
}

// Oldest first by the time the files were written, not by name: a clock set back (or the
// hour repeated at the end of daylight-saving time) gives a new backup an older name. The
// backup just kept, the newest, is never the one removed.
void BackupStore::prune(const QString& kept) {
  QDir dir(folder_);
  QFileInfoList files = dir.entryInfoList({QStringLiteral("*.chp")}, QDir::Files);
  files.removeIf([&](const QFileInfo& f) {
    return f.fileName() == kept || !backupName().match(f.fileName()).hasMatch();
  });
  qsizetype excess = files.size() + 1 - kBackupsKept;
  if (excess <= 0) return;
  std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
    const QDateTime ta = a.lastModified(), tb = b.lastModified();
    return ta != tb ? ta < tb : a.fileName() < b.fileName();
  });
  const QDateTime young = QDateTime::currentDateTime().addDays(-kBackupDays);
  for (qsizetype i = 0; i < files.size() && excess > 0 && files[i].lastModified() < young; ++i)
    if (dir.remove(files[i].fileName())) --excess;
}

}  // namespace kv
