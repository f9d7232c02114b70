#pragma once

#include <QString>
#include <optional>

#include "model/radiomodel.h"

namespace kv {

// A profile file: "[section]" lines and "key=value" lines. Section and key names are
// compared without regard to case; values are read trimmed, at most 127 characters.
class IniFile {
 public:
  explicit IniFile(QString path) : path_(std::move(path)) {}

  const QString& path() const { return path_; }

  // The value, or "" for a missing file, section or key.
  QString read(const QString& section, const QString& key) const;

  // Rewrites one key (adding the section or key where missing) and keeps every other line
  // as it was. The file is replaced atomically; on failure the reason is returned and the
  // old file is left untouched.
  std::optional<QString> write(const QString& section, const QString& key, const QString& value);

 private:
  QString path_;
};

// The settings file in `programDir`: an existing "Sfc.ini" in any letter case, else that name.
QString settingsFilePath(const QString& programDir);

// The eight band texts of section "Frequent", keys PL1..PL8 (empty where missing).
Bands readBands(const IniFile& ini);
// Stores the band text of a model under its key (PL6 for entry 3, and so on).
std::optional<QString> writeBand(IniFile& ini, int model, const QString& bandText);

}  // namespace kv
