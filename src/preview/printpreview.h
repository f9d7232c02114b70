#pragma once

#include <QString>

#include "model/radiodata.h"

class QWidget;

namespace kv {

class PrnPrv;

// The print-preview command: lets pending events run, writes the settings report of `data`
// (with `bandText` as the model's band) as a new print script, which closes an open preview,
// and shows it in a new, active, modeless preview window at zoom 100. The caller stops its own
// editor timer first.
void runPrintPreview(QWidget* parent, const RadioData& data, const QString& bandText);

// The open preview window, or null.
PrnPrv* prnPrv();

}  // namespace kv
