// The ".chp" loader on any bytes, and the codec behind it.
#include "fuzzsupport.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = kvfuzz::inputFile(data, size);
  RadioData loaded;
  const LoadResult result = loadChpFile(path, loaded);
  kvfuzz::require(result.status != LoadStatus::NotFound, "an existing file is found");
  kvfuzz::require(result.status == LoadStatus::Loaded ||
                      (result.error.number != 0 && !result.error.description.isEmpty()),
                  "a failed load carries a message");
  if (!result.unknownSignals.isEmpty())
    kvfuzz::require(unknownSignalsText(result.unknownSignals).count(QLatin1Char('\n')) ==
                        result.unknownSignals.size(),
                    "one line per unknown signalling pair");
  const WholeLoad whole = loadWholeChpFile(path);
  kvfuzz::require(whole.data.has_value() != !whole.refusal.isEmpty(),
                  "a file is either taken whole or refused with a reason");

  // What loaded saves to bytes that load back and save to the same bytes again.
  const EncodedImage first = encodeImage(loaded);
  if (!first.ok()) return 0;
  const QByteArray saved = chpText(first.bytes);
  const QString again = kvfuzz::inputFile(reinterpret_cast<const uint8_t*>(saved.constData()),
                                          size_t(saved.size()), "saved");
  RadioData reloaded;
  const LoadResult second = loadChpFile(again, reloaded);
  kvfuzz::require(
      second.status == LoadStatus::Loaded && second.modelFound && second.unknownSignals.isEmpty(),
      "a saved file loads whole");
  const EncodedImage twice = encodeImage(reloaded);
  kvfuzz::require(twice.ok() && twice.bytes == first.bytes, "a saved file saves back the same");
  return 0;
}
