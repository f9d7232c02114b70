#include "ui/usersettings.h"

#include <QCoreApplication>

namespace kv {
namespace {

const QString kRecentFiles = QStringLiteral("files/recent");
const QString kLastFolder = QStringLiteral("files/lastFolder");
const int kRecentFileCount = 4;

}  // namespace

UserSettings::UserSettings()
    : settings_(QCoreApplication::applicationName(), QCoreApplication::applicationName()) {}

QStringList UserSettings::recentFiles() const {
  QStringList paths = settings_.value(kRecentFiles).toStringList();
  paths.removeAll(QString());
  paths.removeDuplicates();
  return paths.mid(0, kRecentFileCount);
}

void UserSettings::addRecentFile(const QString& path) {
  QStringList paths = recentFiles();
  paths.removeAll(path);
  paths.prepend(path);
  settings_.setValue(kRecentFiles, paths.mid(0, kRecentFileCount));
}

void UserSettings::removeRecentFile(const QString& path) {
  QStringList paths = recentFiles();
  paths.removeAll(path);
  settings_.setValue(kRecentFiles, paths);
}

QString UserSettings::lastFolder() const { return settings_.value(kLastFolder).toString(); }

void UserSettings::setLastFolder(const QString& folder) { settings_.setValue(kLastFolder, folder); }

}  // namespace kv
