// The CSV channel-table import on any bytes.
#include "exchange/csvformat.h"
#include "fuzzsupport.h"
#include "image/memoryimage.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bands bands = kvfuzz::defaultBands();
  const RadioData base;
  const CsvResult result = fromCsv(
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), base, bands);
  if (!result.error.isEmpty()) return 0;
  // Whatever the import accepts can be written to a radio or a file, and exports to a table
  // that imports to the same document.
  kvfuzz::require(encodeImage(result.data).ok(), "an imported table encodes");
  const CsvResult back = fromCsv(toCsv(result.data), base, bands);
  kvfuzz::require(back.error.isEmpty() && back.data == result.data,
                  "an export imports to the same table");
  return 0;
}
