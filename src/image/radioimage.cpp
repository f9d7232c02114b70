#include "image/radioimage.h"

namespace kv {

RadioImage imageForRadio(const QByteArray& document, const QByteArray& radio,
                         RadioImageOptions options) {
  RadioImage result;
  if (radio[0] != document[0]) result.otherModel = quint8(radio[0]);
  if (result.otherModel && !options.anyModel) return result;
  result.bytes = document;
  if (options.keepAlignment) {
    result.bytes[kFunctionFlagsAt] = char((document[kFunctionFlagsAt] & ~kAlignmentFlags) |
                                          (radio[kFunctionFlagsAt] & kAlignmentFlags));
    result.bytes[kPowerTrimAt] = radio[kPowerTrimAt];
  }
  return result;
}

}  // namespace kv
