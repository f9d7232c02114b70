#include "link/receivetext.h"

namespace kv {

void ReceiveText::append(const QByteArray& bytes, bool byteMode) {
  for (char c : bytes) {
    text_ += QString::number(quint8(c));
    if (!byteMode) text_ += QLatin1Char('0');
  }
  bytes_ += bytes;
}

}  // namespace kv
