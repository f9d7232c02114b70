#include "image/atomicfile.h"

#include <QFile>
#include <QSaveFile>

#include "image/disksync.h"

namespace kv {
namespace {

// Unbuffered, so that a write the disk refuses fails at the write and not only in a flush whose
// failure the commit would not notice.
constexpr QIODevice::OpenMode kWriteMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

}  // namespace

std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(kWriteMode)) return file.errorString();
  std::optional<QString> failure;
  if (file.write(bytes) != bytes.size() || !file.flush())
    failure = file.errorString();
  else
    failure = syncToDisk(file);
  if (failure) {
    file.cancelWriting();
    return failure;
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

std::optional<QString> appendToFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::Append | QIODevice::Unbuffered)) return file.errorString();
  if (file.write(bytes) != bytes.size() || !file.flush()) return file.errorString();
  file.close();
  if (file.error() != QFileDevice::NoError) return file.errorString();
  return std::nullopt;
}

std::optional<QString> emptyFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return file.errorString();
  return std::nullopt;
}

}  // namespace kv
