#include "image/inifile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace kv {
namespace {

constexpr qint64 kMaxFileSize = 1 << 20;  // a settings file is a few hundred bytes

QString sectionName(const QString& line) {
  const QString t = line.trimmed();
  if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
    return t.mid(1, t.size() - 2).trimmed();
  return QString();
}

bool isSection(const QString& line) {
  return !sectionName(line).isEmpty() || line.trimmed() == QLatin1String("[]");
}

// The key of a "key=value" line, or nothing.
std::optional<QString> keyOf(const QString& line) {
  const int eq = line.indexOf(QLatin1Char('='));
  if (eq < 0 || line.trimmed().startsWith(QLatin1Char(';'))) return std::nullopt;
  return line.left(eq).trimmed();
}

QStringList readLines(const QString& path, QString* eol) {
  if (eol) *eol = QStringLiteral("\r\n");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.read(kMaxFileSize);
  if (eol)
    *eol =
        bytes.contains("\r\n") || bytes.isEmpty() ? QStringLiteral("\r\n") : QStringLiteral("\n");
  QString text = QString::fromUtf8(bytes);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

QString IniFile::read(const QString& section, const QString& key) const {
  bool inSection = false;
  for (const QString& line : readLines(path_, nullptr)) {
    if (isSection(line)) {
      inSection = sectionName(line).compare(section, Qt::CaseInsensitive) == 0;
    } else if (inSection) {
      const auto k = keyOf(line);
      if (k && k->compare(key, Qt::CaseInsensitive) == 0)
        return line.mid(line.indexOf(QLatin1Char('=')) + 1).left(127).trimmed();
    }
  }
  return QString();
}

std::optional<QString> IniFile::write(const QString& section, const QString& key,
                                      const QString& value) {
  QString eol;
  QStringList lines = readLines(path_, &eol);
  const QString entry = key + QLatin1Char('=') + value.left(128);
  int sectionLine = -1;
  int insertAt = -1;  // after the section's last key line
  bool done = false;
  for (int i = 0; i < lines.size() && !done; ++i) {
    if (isSection(lines[i])) {
      if (sectionLine >= 0) break;
      if (sectionName(lines[i]).compare(section, Qt::CaseInsensitive) == 0)
        sectionLine = insertAt = i;
    } else if (sectionLine >= 0) {
      const auto k = keyOf(lines[i]);
      if (!k) continue;
      if (k->compare(key, Qt::CaseInsensitive) == 0) {
        lines[i] = entry;
        done = true;
      }
      insertAt = i;
    }
  }
  if (!done) {
    if (sectionLine < 0) {
      lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    } else {
      lines.insert(insertAt + 1, entry);
    }
  }
  QSaveFile file(path_);
  const QByteArray text = (lines.join(eol) + eol).toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
    return file.errorString();
  return std::nullopt;
}

QString settingsFilePath(const QString& programDir) {
  const QDir dir(programDir);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
    if (name.compare(QLatin1String("Sfc.ini"), Qt::CaseInsensitive) == 0) return dir.filePath(name);
  return dir.filePath(QStringLiteral("Sfc.ini"));
}

Bands readBands(const IniFile& ini) {
  Bands bands;
  for (int slot = 0; slot < kModelCount; ++slot)
    bands[slot] = ini.read(QStringLiteral("Frequent"), QStringLiteral("PL%1").arg(slot + 1));
  return bands;
}

std::optional<QString> writeBand(IniFile& ini, int model, const QString& bandText) {
  return ini.write(QStringLiteral("Frequent"), bandKey(model), bandText);
}

}  // namespace kv
