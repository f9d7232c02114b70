#include "sim/bytelog.h"

#include "image/atomicfile.h"
#include "sim/complain.h"
#include "sim/monotonic.h"

namespace kv::sim {

bool ByteLog::open(const QString& path) {
  start_ = nowNs();
  if (const auto error = kv::emptyFile(path)) {
    complain(QStringLiteral("cannot write %1: %2").arg(path, *error));
    return false;
  }
  path_ = path;
  return true;
}

void ByteLog::bytes(const char* who, const QByteArray& bytes) {
  if (!bytes.isEmpty())
    add(QStringLiteral("%1 %2").arg(QLatin1String(who),
                                    QString::fromLatin1(bytes.toHex(' ').toUpper())));
}

void ByteLog::add(const QString& text) {
  if (path_.isEmpty()) return;
  const QString line = QStringLiteral("%1 %2\n").arg((nowNs() - start_) / 1'000'000).arg(text);
  if (const auto error = kv::appendToFile(path_, line.toUtf8())) {
    complain(QStringLiteral("cannot write %1: %2; logging stops").arg(path_, *error));
    path_.clear();
  }
}

}  // namespace kv::sim
