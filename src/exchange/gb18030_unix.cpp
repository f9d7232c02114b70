#include <QStringDecoder>

#include "exchange/gb18030.h"

namespace kv {

QString decodeGb18030(const QByteArray& bytes) {
  QStringDecoder gb18030("GB18030");
  return gb18030(bytes);
}

}  // namespace kv
