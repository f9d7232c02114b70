#pragma once

#include <QByteArray>

namespace kv {

// The PDF writer names each glyph in the text layer by the lowest code point that uses it.
// CJK faces share the glyph of many ideographs with a radical (页 with ⻚, 一 with ⼀), so a
// reader copying or searching the report would get radicals. This maps them back to the
// ideographs of the CJK face that share their glyphs. The map entries keep their length, so
// the file's offsets stay valid.
QByteArray mendPdfTextLayer(QByteArray pdf);

}  // namespace kv
