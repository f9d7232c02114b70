#include "image/boundedreader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace kv {

BoundedRead readFileBounded(const QString& path, qint64 limit) {
  BoundedRead result;
  const QFileInfo info(path);
  if (!info.exists()) {
    result.status = BoundedRead::Status::NotFound;
    result.reason = QStringLiteral("no such file");
    return result;
  }
  if (info.isDir()) {
    result.status = BoundedRead::Status::IsDirectory;
    result.reason = QStringLiteral("is a directory");
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    result.status = BoundedRead::Status::Failed;
    result.reason = file.errorString();
    return result;
  }
  // A pipe or a device tells its size only by ending, so read one byte past the limit to know
  // whether there was more.
  while (result.bytes.size() <= limit) {
    const QByteArray chunk = file.read(std::min<qint64>(limit + 1 - result.bytes.size(), 1 << 16));
    if (chunk.isEmpty()) {  // the end, or a failure
      if (file.error() == QFileDevice::NoError) break;
      result.status = BoundedRead::Status::Failed;
      result.reason = file.errorString();
      result.bytes.clear();
      return result;
    }
    result.bytes += chunk;
  }
  if (result.bytes.size() > limit) {
    result.status = BoundedRead::Status::TooLarge;
    result.reason = QStringLiteral("too large");
    result.bytes.clear();
  }
  return result;
}

QString BoundedRead::reasonText() const {
  switch (status) {
    case Status::NotFound:
      return QCoreApplication::translate("kv::BoundedRead", "文件不存在");
    case Status::IsDirectory:
      return QCoreApplication::translate("kv::BoundedRead", "这是一个文件夹");
    case Status::TooLarge:
      return QCoreApplication::translate("kv::BoundedRead", "文件过大");
    case Status::Ok:
    case Status::Failed:
      break;
  }
  return reason;
}

}  // namespace kv
