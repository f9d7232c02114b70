// The settings file reader and its one-key rewrite on any bytes.
#include "fuzzsupport.h"
#include "image/inifile.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  IniFile ini(kvfuzz::inputFile(data, size, "Sfc.ini"));
  const Bands before = readBands(ini);
  const QString band = QStringLiteral("400MHz---470MHz");
  const auto failure = writeBand(ini, 2, band);
  if (failure) {
    kvfuzz::require(!failure->isEmpty(), "a failed rewrite says why");
    return 0;
  }
  // The rewrite changes its own key and no other.
  const Bands after = readBands(ini);
  for (int model = 0; model < kModelCount; ++model)
    kvfuzz::require(model == 2 ? bandTextOf(after, 2) == band
                               : bandTextOf(after, model) == bandTextOf(before, model),
                    "a rewrite changes its own key only");
  return 0;
}
