// The settings file reader and its one-key rewrite on any bytes.
#include "fuzzsupport.h"
#include "image/inifile.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const IniText ini(kvfuzz::bytesOf(data, size));
  const Bands before = readBands(ini);
  const QString band = QStringLiteral("400MHz---470MHz");
  // The rewrite writeBand makes of the file, for model 2.
  const IniText rewritten(ini.withValue(QStringLiteral("Frequent"), bandKey(2), band));
  // The rewrite changes its own key and no other.
  const Bands after = readBands(rewritten);
  for (int model = 0; model < kModelCount; ++model)
    kvfuzz::require(model == 2 ? bandTextOf(after, 2) == band
                               : bandTextOf(after, model) == bandTextOf(before, model),
                    "a rewrite changes its own key only");
  return 0;
}
