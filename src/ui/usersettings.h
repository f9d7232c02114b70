#pragma once

#include <QSettings>
#include <QStringList>

#include <optional>

#include "image/programlanguage.h"
#include "link/portlist.h"

namespace kv {

// The user's own settings, kept by QSettings in the user's configuration folder
// (~/.config/kvprog/kvprog.conf) and shared by every program of the suite. The radio bands
// are not among them: those live in "Sfc.ini". Each object reads the file anew, so a second
// window of the program sees what the first one stored.
class UserSettings {
 public:
  UserSettings();

  // The port chosen in the port dialog of an earlier run, found in `ports`; COM1 (the
  // first listed) when none was chosen or the chosen one is not plugged in.
  PortChoice port(const QList<PortInfo>& ports) const;
  // Remembers a chosen port by what identifies it, not by its place in today's list.
  void setPort(const PortChoice& port);

  // The ports last ticked in 批量写频, found in `ports` by what identifies them: their places
  // there. Ports not plugged in now are left out.
  QList<int> fleetPorts(const QList<PortInfo>& ports) const;
  void setFleetPorts(const QList<PortInfo>& ticked);

  // The channel files last opened or saved, the most recent first, at most four.
  QStringList recentFiles() const;
  // Puts `path` first among the recent files.
  void addRecentFile(const QString& path);
  void removeRecentFile(const QString& path);

  // The folder of the file last opened or saved, where the file dialogs start when the
  // window has no file of its own; empty when none was used yet.
  QString lastFolder() const;
  void setLastFolder(const QString& folder);

  // 编程's "写频前先备份" and "写频后校验": read the radio before a write and keep what it
  // held; read it back after the write and compare. Both off until the user turns them on.
  // WriteOption alone changes them.
  bool readFirst() const;
  void setReadFirst(bool on);
  bool verifyAfterWrite() const;
  void setVerifyAfterWrite(bool on);
  // 批量写频's "保留每台对讲机原有的调整值": on until the user turns it off.
  bool keepTune() const;
  void setKeepTune(bool on);

  // The language chosen in 帮助 > 语言 / Language; none until the user chooses one.
  std::optional<Language> language() const;
  void setLanguage(Language language);

 private:
  mutable QSettings settings_;  // reading an array enters and leaves its group
};

}  // namespace kv
