// The JSON import on any bytes. Kept thin: the format itself lives beside the CLI.
#include "cli/jsonformat.h"
#include "fuzzsupport.h"
#include "image/memoryimage.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const cli::JsonResult result =
      cli::fromJson(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
  if (!result.error.isEmpty()) return 0;
  // Whatever the import accepts can be written to a radio or a file, and exports to JSON
  // that imports to the same document.
  kvfuzz::require(encodeImage(result.data).ok(), "an imported document encodes");
  const cli::JsonResult back = cli::fromJson(cli::toJson(result.data));
  kvfuzz::require(back.error.isEmpty() && back.data == result.data,
                  "an export imports to the same document");
  return 0;
}
