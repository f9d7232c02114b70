// The CHIRP CSV import on any bytes.
#include "exchange/chirpformat.h"
#include "fuzzsupport.h"
#include "image/memoryimage.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bands bands = kvfuzz::defaultBands();
  const RadioData base;
  const QByteArray csv =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  const CsvResult result = fromChirpCsv(csv, base, bands);
  if (!result.error.isEmpty()) return 0;
  kvfuzz::require(isChirpCsv(csv), "an accepted file has a CHIRP header");
  // Whatever the import accepts can be written to a radio or a file, and exports to a file
  // that imports to the same document (busy lock, which the form lacks, is "否" both times).
  kvfuzz::require(encodeImage(result.data).ok(), "an imported table encodes");
  const CsvResult back = fromChirpCsv(toChirpCsv(result.data), base, bands);
  kvfuzz::require(back.error.isEmpty() && back.data == result.data,
                  "an export imports to the same table");
  return 0;
}
