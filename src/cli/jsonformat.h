#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "model/radiodata.h"

namespace kv::cli {

// The JSON form of a document: every channel and settings value exactly as the editor shows it.
QByteArray toJson(const RadioData& data);

// Reads the JSON form, checking every value against the lists the editor offers. On a bad
// file the message names the channel and the key.
struct JsonResult {
  RadioData data;
  QString error;
};
JsonResult fromJson(const QByteArray& json);

}  // namespace kv::cli
