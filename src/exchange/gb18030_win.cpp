#include <windows.h>

#include "exchange/gb18030.h"

namespace kv {

namespace {
constexpr UINT kGb18030CodePage = 54936;
}

QString decodeGb18030(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  const int size = MultiByteToWideChar(kGb18030CodePage, 0, bytes.constData(),
                                       static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring text(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(kGb18030CodePage, 0, bytes.constData(), static_cast<int>(bytes.size()),
                      text.data(), size);
  return QString::fromStdWString(text);
}

}  // namespace kv
