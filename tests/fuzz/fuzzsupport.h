#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "model/radiomodel.h"

// Shared by the fuzz targets: the input as bytes, or as a file for the readers that take a
// path, and the check that turns a broken promise into a crash the fuzzer keeps.
namespace kvfuzz {

// A folder of this process's own, in memory where the system has such a place.
inline const QTemporaryDir& workDir() {
  static const QTemporaryDir dir(
      (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
      QStringLiteral("/kvfuzz-XXXXXX"));
  return dir;
}

inline QString pathFor(const char* name) { return workDir().filePath(QString::fromLatin1(name)); }

inline QString inputFile(const uint8_t* data, size_t size, const char* name = "input") {
  const QString path = pathFor(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::abort();
  }
  return path;
}

// The input as bytes, without a copy: for the readers that take what is in memory.
inline QByteArray bytesOf(const uint8_t* data, size_t size) {
  return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The bands of the settings file the programs ship: 400 to 470 MHz for every model.
inline kv::Bands defaultBands() {
  kv::Bands bands;
  bands.fill(QStringLiteral("400MHz---470MHz"));
  return bands;
}

inline void require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", promise);
  std::abort();
}

}  // namespace kvfuzz
