#include "image/inifile.h"

#include <QCoreApplication>
#include <QDir>

#include "image/atomicfile.h"
#include "image/boundedreader.h"

namespace kv {
namespace {

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

struct FileText {
  IniText text;
  // Why the file, though it exists, could not be read whole; a rewrite from part of it
  // would lose the rest.
  std::optional<QString> error;
};

FileText readText(const QString& path) {
  BoundedRead input = readFileBounded(path, kMaxInputSize);
  if (input.status == BoundedRead::Status::NotFound) return {IniText(), std::nullopt};
  if (!input.ok())
    return {IniText(), input.status == BoundedRead::Status::TooLarge
                           ? QCoreApplication::translate("kv::IniFile", "文件过大，不是设置文件")
                           : input.reasonText()};
  return {IniText(std::move(input.bytes)), std::nullopt};
}

}  // namespace

IniText::IniText(QByteArray bytes) {
  if (!bytes.contains("\r\n") && !bytes.isEmpty()) eol_ = "\n";
  bytes.replace("\r\n", "\n");
  QList<QByteArray> lines = bytes.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  // Each line is taken apart once: a reader asks for several keys.
  lines_.reserve(lines.size());
  for (QByteArray& line : lines) {
    const QString text = QString::fromUtf8(line);
    Line parsed{std::move(line)};
    if (isSection(text)) {
      parsed.kind = Line::Section;
      parsed.name = sectionName(text);
    } else if (const auto key = keyOf(text)) {
      parsed.kind = Line::Key;
      parsed.name = *key;
      parsed.value = text.mid(text.indexOf(QLatin1Char('=')) + 1).left(127).trimmed();
    }
    lines_.append(std::move(parsed));
  }
}

QString IniText::read(const QString& section, const QString& key) const {
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == Line::Section)
      inSection = line.name.compare(section, Qt::CaseInsensitive) == 0;
    else if (inSection && line.kind == Line::Key &&
             line.name.compare(key, Qt::CaseInsensitive) == 0)
      return line.value;
  }
  return QString();
}

QByteArray IniText::withValue(const QString& section, const QString& key,
                              const QString& value) const {
  QList<QByteArray> lines;
  for (const Line& line : lines_) lines << line.bytes;
  const QByteArray entry = (key + QLatin1Char('=') + value.left(128)).toUtf8();
  int sectionLine = -1;
  int insertAt = -1;  // after the section's last key line
  bool done = false;
  for (int i = 0; i < lines_.size() && !done; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Section) {
      if (sectionLine >= 0) break;
      if (line.name.compare(section, Qt::CaseInsensitive) == 0) sectionLine = insertAt = i;
    } else if (sectionLine >= 0 && line.kind == Line::Key) {
      if (line.name.compare(key, Qt::CaseInsensitive) == 0) {
        lines[i] = entry;
        done = true;
      }
      insertAt = i;
    }
  }
  if (!done) {
    if (sectionLine < 0) {
      lines << (QLatin1Char('[') + section + QLatin1Char(']')).toUtf8() << entry;
    } else {
      lines.insert(insertAt + 1, entry);
    }
  }
  return lines.join(eol_) + eol_;
}

IniText IniFile::text() const { return readText(path_).text; }

QString IniFile::read(const QString& section, const QString& key) const {
  return text().read(section, key);
}

std::optional<QString> IniFile::write(const QString& section, const QString& key,
                                      const QString& value) {
  const FileText file = readText(path_);
  if (file.error) return file.error;
  return writeFileAtomically(path_, file.text.withValue(section, key, value));
}

QString settingsFilePath(const QString& programDir) {
  const QDir dir(programDir);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
    if (name.compare(QLatin1String("Sfc.ini"), Qt::CaseInsensitive) == 0) return dir.filePath(name);
  return dir.filePath(QStringLiteral("Sfc.ini"));
}

Bands readBands(const IniText& ini) {
  Bands bands;
  for (int slot = 0; slot < kModelCount; ++slot)
    bands[slot] = ini.read(QStringLiteral("Frequent"), bandSlotKey(slot));
  return bands;
}

Bands readBands(const IniFile& ini) { return readBands(ini.text()); }

std::optional<QString> writeBand(IniFile& ini, int model, const QString& bandText) {
  return ini.write(QStringLiteral("Frequent"), bandKey(model), bandText);
}

}  // namespace kv
