// The ".chp" loader on any bytes, and the codec behind it.
#include <QSet>

#include "fuzzsupport.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray text = kvfuzz::bytesOf(data, size);
  RadioData loaded;
  const LoadResult result = loadChpText(text, loaded);
  kvfuzz::require(result.status == LoadStatus::Loaded ||
                      (result.status == LoadStatus::Failed && result.error.number != 0 &&
                       !result.error.description.isEmpty()),
                  "a failed load carries a message");
  if (!result.unknownSignals.isEmpty())
    kvfuzz::require(unknownSignalsText(result.unknownSignals).count(QLatin1Char('\n')) ==
                        result.unknownSignals.size(),
                    "one line per unknown signalling pair");
  kvfuzz::require(chpImage(text).size() == kImageSize, "any file's bytes are a whole image");

  // What loaded saves to bytes that load back whole and save to the same bytes again. That
  // depends on the bytes alone, and most inputs differ from the one they were made from only
  // in lines the loader never reads: each image is taken round once.
  const EncodedImage first = encodeImage(loaded);
  if (!first.ok()) return 0;
  static QSet<QByteArray> takenRound;
  if (takenRound.size() >= 10000) takenRound.clear();  // bounded: about 10 MB
  if (takenRound.contains(first.bytes)) return 0;
  takenRound.insert(first.bytes);
  const WholeLoad second = loadWholeChpText(chpText(first.bytes));
  kvfuzz::require(second.data && second.unknownSignals.isEmpty(), "a saved file loads whole");
  const EncodedImage twice = encodeImage(*second.data);
  kvfuzz::require(twice.ok() && twice.bytes == first.bytes, "a saved file saves back the same");
  return 0;
}
