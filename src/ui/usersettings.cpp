#include "ui/usersettings.h"

#include <QCoreApplication>

#include "image/usersettingsformat.h"

namespace kv {
namespace {

const QString kPortIdentity = QStringLiteral("port/identity");
const QString kPortDevice = QStringLiteral("port/device");
const QString kRecentFiles = QStringLiteral("files/recent");
const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kReadFirst = QStringLiteral("write/readFirst");
const QString kVerify = QStringLiteral("write/verify");
const int kRecentFileCount = 4;

}  // namespace

UserSettings::UserSettings()
    : settings_(userSettingsFormat(), QSettings::UserScope, QCoreApplication::applicationName(),
                QCoreApplication::applicationName()) {}

PortChoice UserSettings::port(const QList<PortInfo>& ports) const {
  const PortChoice remembered{0, settings_.value(kPortIdentity).toString(),
                              settings_.value(kPortDevice).toString()};
  if (remembered.identity.isEmpty()) return {};
  const auto place = remembered.placeIn(ports);
  return place ? PortChoice::of(ports, *place) : PortChoice{};
}

void UserSettings::setPort(const PortChoice& port) {
  if (port.identity.isEmpty()) return;
  settings_.setValue(kPortIdentity, port.identity);
  settings_.setValue(kPortDevice, port.device);
}

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

bool UserSettings::readFirst() const { return settings_.value(kReadFirst, false).toBool(); }

void UserSettings::setReadFirst(bool on) { settings_.setValue(kReadFirst, on); }

bool UserSettings::verifyAfterWrite() const { return settings_.value(kVerify, false).toBool(); }

void UserSettings::setVerifyAfterWrite(bool on) { settings_.setValue(kVerify, on); }

}  // namespace kv
