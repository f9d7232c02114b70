#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

#include "model/radiomodel.h"

namespace kv {

// The longest value a profile file holds: one more is cut off, read or written, so a value
// written reads back as it was written.
constexpr int kIniValueLength = 127;

// The text of a profile file: "[section]" lines and "key=value" lines. Section and key names
// are compared without regard to case; values are read trimmed, at most kIniValueLength
// characters.
class IniText {
 public:
  // Lines end with CR LF or LF; the bytes of each are kept, whatever their encoding (a file
  // from a Chinese system holds GBK notes).
  explicit IniText(QByteArray bytes = {});

  // The value, or "" for a missing section or key.
  QString read(const QString& section, const QString& key) const;

  // The whole text with one key rewritten (adding the section or key where missing) and every
  // other line as it was, with the text's own line ends.
  QByteArray withValue(const QString& section, const QString& key, const QString& value) const;

 private:
  // Views of bytes_ and text_, which the text owns (copies share them).
  struct Line {
    QByteArrayView bytes;  // as the text has it
    enum Kind { Other, Section, Key } kind = Other;
    QStringView name{};   // the section's or the key's
    QStringView value{};  // a key's
  };
  QByteArray bytes_;  // the lines, each ended by LF
  QString text_;      // the same, decoded
  QList<Line> lines_;
  QByteArray eol_ = "\r\n";
};

// A profile file on disk, read whole at each use.
class IniFile {
 public:
  explicit IniFile(QString path) : path_(std::move(path)) {}

  const QString& path() const { return path_; }

  // What the file holds; empty for a missing or unreadable file.
  IniText text() const;

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
Bands readBands(const IniText& ini);
Bands readBands(const IniFile& ini);
// Stores the band text of a model under its key (PL6 for entry 3, and so on).
std::optional<QString> writeBand(IniFile& ini, int model, const QString& bandText);

}  // namespace kv
