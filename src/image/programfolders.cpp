#include "image/programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "image/atomicfile.h"
#include "image/boundedreader.h"
#include "image/inifile.h"
#include "kvversion.h"

namespace kv {

void useProgramIdentity() {
  QCoreApplication::setApplicationName(QStringLiteral("kvprog"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KV_VERSION));
}

QString versionLine(const QString& program) {
  return QStringLiteral("%1 %2").arg(program, QStringLiteral(KV_VERSION));
}

QString settingsFile() {
  const QString programDir = QCoreApplication::applicationDirPath();
  return settingsFile(programDir,
                      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                      QDir(programDir).filePath(QStringLiteral("../share/kvprog/Sfc.ini")));
}

QString settingsFile(const QString& programDir, const QString& configDir,
                     const QString& packagedDefault) {
  const QString beside = settingsFilePath(programDir);
  if (QFileInfo::exists(beside)) return beside;
  const QString own = settingsFilePath(configDir);
  if (QFileInfo::exists(own)) return own;
  // Without a default, or where the folder cannot be written, the file stays missing: every
  // band is then empty, as for a copy without its settings file, and tune mode says so when
  // it stores a band.
  const BoundedRead packaged = readFileBounded(packagedDefault, kMaxInputSize);
  if (packaged.ok() && QDir().mkpath(configDir)) writeFileAtomically(own, packaged.bytes);
  return own;
}

}  // namespace kv
