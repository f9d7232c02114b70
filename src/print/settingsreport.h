#pragma once

#include <QString>

#include "model/radiodata.h"

namespace kv {

// Writes the one-page settings report of `data` as a new print script: page header, title,
// the function settings and the whole channel table with its headings and channel numbers.
// `bandText` is the band shown for the model. False when the script cannot be written.
bool writeSettingsReport(const RadioData& data, const QString& bandText);

// Left edges (cm) of the table's eight columns, all inside the printable width of A4.
const std::array<float, kColumnCount>& reportColumnLefts();

}  // namespace kv
