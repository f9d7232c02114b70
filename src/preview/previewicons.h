#pragma once

#include <QIcon>

namespace kv {

enum class PreviewPicture { Refresh, ZoomIn, ZoomOut, Print, Pdf, Close };

// The pictures of the preview's buttons, drawn so that they look the same on every desktop.
QIcon previewIcon(PreviewPicture picture);

}  // namespace kv
