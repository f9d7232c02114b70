#include "image/inifile.h"

#include <QCoreApplication>
#include <QDir>

#include "image/atomicfile.h"
#include "image/boundedreader.h"

namespace kv {
namespace {

// The name of a "[section]" line, or nothing; "[]" names the section "".
std::optional<QStringView> sectionName(QStringView line) {
  const QStringView t = line.trimmed();
  if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')) || t.size() < 2)
    return std::nullopt;
  const QStringView name = t.sliced(1, t.size() - 2).trimmed();
  if (name.isEmpty() && t != QLatin1String("[]")) return std::nullopt;
  return name;
}

// The key of a "key=value" line, or nothing.
std::optional<QStringView> keyOf(QStringView line, qsizetype eq) {
  if (eq < 0 || line.trimmed().startsWith(QLatin1Char(';'))) return std::nullopt;
  return line.first(eq).trimmed();
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

IniText::IniText(QByteArray bytes) : bytes_(std::move(bytes)) {
  if (!bytes_.contains("\r\n") && !bytes_.isEmpty()) eol_ = "\n";
  bytes_.replace("\r\n", "\n");
  if (!bytes_.isEmpty() && !bytes_.endsWith('\n')) bytes_ += '\n';
  // Decoded once, whole: a line end is never part of a character, so the text has the same
  // lines as the bytes. Each line is taken apart once, into views: a reader asks for
  // several keys, and the file is read at every use.
  text_ = QString::fromUtf8(bytes_);
  for (qsizetype from = 0, at = 0; from < bytes_.size();) {
    const qsizetype lineEnd = bytes_.indexOf('\n', from);
    qsizetype textEnd = text_.indexOf(QLatin1Char('\n'), at);
    if (textEnd < 0) textEnd = text_.size();
    const QStringView text = QStringView(text_).sliced(at, textEnd - at);
    Line parsed{QByteArrayView(bytes_).sliced(from, lineEnd - from)};
    from = lineEnd + 1;
    at = std::min(textEnd + 1, text_.size());
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (const auto section = sectionName(text)) {
      parsed.kind = Line::Section;
      parsed.name = *section;
    } else if (const auto key = keyOf(text, eq)) {
      parsed.kind = Line::Key;
      parsed.name = *key;
      parsed.value = text.sliced(eq + 1).left(kIniValueLength).trimmed();
    }
    lines_.append(parsed);
  }
}

QString IniText::read(const QString& section, const QString& key) const {
  bool inSection = false;
  for (const Line& line : lines_) {
    if (line.kind == Line::Section)
      inSection = line.name.compare(section, Qt::CaseInsensitive) == 0;
    else if (inSection && line.kind == Line::Key &&
             line.name.compare(key, Qt::CaseInsensitive) == 0)
      return line.value.toString();
  }
  return QString();
}

QByteArray IniText::withValue(const QString& section, const QString& key,
                              const QString& value) const {
  const QByteArray entry = (key + QLatin1Char('=') + value.left(kIniValueLength)).toUtf8();
  int sectionLine = -1;
  int insertAt = -1;  // after the section's last key line
  int replaced = -1;
  for (int i = 0; i < lines_.size() && replaced < 0; ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::Section) {
      if (sectionLine >= 0) break;
      if (line.name.compare(section, Qt::CaseInsensitive) == 0) sectionLine = insertAt = i;
    } else if (sectionLine >= 0 && line.kind == Line::Key) {
      if (line.name.compare(key, Qt::CaseInsensitive) == 0) replaced = i;
      insertAt = i;
    }
  }
  QByteArray text;
  text.reserve(bytes_.size() + (lines_.size() + 3) * eol_.size() + entry.size() + section.size());
  for (int i = 0; i < lines_.size(); ++i) {
    text.append(i == replaced ? QByteArrayView(entry) : lines_[i].bytes).append(eol_);
    if (replaced < 0 && i == insertAt) text.append(entry).append(eol_);
  }
  if (sectionLine < 0)
    text.append((QLatin1Char('[') + section + QLatin1Char(']')).toUtf8())
        .append(eol_)
        .append(entry)
        .append(eol_);
  return text;
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
