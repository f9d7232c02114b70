#include "ui/usersettings.h"

#include <QCoreApplication>
#include <algorithm>

#include "image/usersettingsformat.h"

namespace kv {
namespace {

const QString kPortIdentity = QStringLiteral("port/identity");
const QString kPortDevice = QStringLiteral("port/device");
const QString kFleetPorts = QStringLiteral("fleet/ports");
const QString kIdentity = QStringLiteral("identity");
const QString kDevice = QStringLiteral("device");
const QString kRecentFiles = QStringLiteral("files/recent");
const QString kLastFolder = QStringLiteral("files/lastFolder");
const QString kReadFirst = QStringLiteral("write/readFirst");
const QString kVerify = QStringLiteral("write/verify");
const QString kKeepTune = QStringLiteral("fleet/keepTune");
const QString kLanguage = QStringLiteral("window/language");
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

QList<int> UserSettings::fleetPorts(const QList<PortInfo>& ports) const {
  QList<int> places;
  const int count = settings_.beginReadArray(kFleetPorts);
  for (int i = 0; i < count; ++i) {
    settings_.setArrayIndex(i);
    const auto place =
        findPort(ports, settings_.value(kIdentity).toString(), settings_.value(kDevice).toString());
    if (place && !places.contains(*place)) places << *place;
  }
  settings_.endArray();
  std::sort(places.begin(), places.end());
  return places;
}

void UserSettings::setFleetPorts(const QList<PortInfo>& ticked) {
  settings_.beginWriteArray(kFleetPorts, int(ticked.size()));
  for (int i = 0; i < ticked.size(); ++i) {
    settings_.setArrayIndex(i);
    settings_.setValue(kIdentity, ticked[i].identity());
    settings_.setValue(kDevice, ticked[i].device);
  }
  settings_.endArray();
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

bool UserSettings::keepTune() const { return settings_.value(kKeepTune, true).toBool(); }

void UserSettings::setKeepTune(bool on) { settings_.setValue(kKeepTune, on); }

std::optional<Language> UserSettings::language() const {
  return languageNamed(settings_.value(kLanguage).toString());
}

void UserSettings::setLanguage(Language language) {
  settings_.setValue(kLanguage, languageCode(language));
}

}  // namespace kv
