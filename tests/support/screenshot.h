#pragma once

#include <QDir>
#include <QWidget>

namespace kvtest {

// Saves a picture of a window when KV_SCREENSHOT_DIR names a folder.
inline void screenshot(QWidget& widget, const QString& name) {
  const QString dir = qEnvironmentVariable("KV_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  widget.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

}  // namespace kvtest
