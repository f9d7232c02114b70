#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file helpers shared by the test executables.
namespace kvtest {

inline QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A file of tests/data.
inline QString fixturePath(const char* name) {
  return QStringLiteral(KV_TEST_DATA "/") + QLatin1String(name);
}

}  // namespace kvtest
