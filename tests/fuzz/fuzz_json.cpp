// The JSON import on any bytes.
#include "exchange/jsonformat.h"
#include "fuzzsupport.h"
#include "image/memoryimage.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bands bands = kvfuzz::defaultBands();
  const JsonResult result = fromJson(
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), bands);
  if (!result.error.isEmpty()) return 0;
  // Whatever the import accepts can be written to a radio or a file, and exports to JSON
  // that imports to the same document.
  kvfuzz::require(encodeImage(result.data).ok(), "an imported document encodes");
  const JsonResult back = fromJson(toJson(result.data), bands);
  kvfuzz::require(back.error.isEmpty() && back.data == result.data,
                  "an export imports to the same document");
  return 0;
}
