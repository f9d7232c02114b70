#pragma once

#include <QByteArray>
#include <QString>

#include "model/radiodata.h"
#include "model/radiomodel.h"

namespace kv {

// The JSON form of a document: every channel and settings value exactly as the editor shows it.
QByteArray toJson(const RadioData& data);

// Reads the JSON form, checking every value as the editor would take it (frequencies against
// the model's band in `bands`). On a bad file the message names the channel and the key.
struct JsonResult {
  RadioData data;
  QString error;
};
JsonResult fromJson(const QByteArray& json, const Bands& bands);

}  // namespace kv
