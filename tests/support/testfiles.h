#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
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

// A Han character or a mark of Chinese punctuation: the full-width colon, comma, brackets.
inline bool hasChinese(const QString& text) {
  static const QRegularExpression chinese(
      QStringLiteral("[\\p{Han}\\x{3000}-\\x{303F}\\x{FF00}-\\x{FF65}]"));
  return text.contains(chinese);
}

// A file of tests/data.
inline QString fixturePath(const char* name) {
  return QStringLiteral(KV_TEST_DATA "/") + QLatin1String(name);
}

}  // namespace kvtest
