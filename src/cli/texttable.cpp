#include "cli/texttable.h"

namespace kv::cli {

int displayWidth(const QString& text) {
  int width = 0;
  for (const QChar c : text) {
    const ushort u = c.unicode();
    const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                      (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                      (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                      (u >= 0xFFE0 && u <= 0xFFE6);
    width += wide ? 2 : 1;
  }
  return width;
}

QString TextTable::render() const {
  QList<int> widths;
  for (const QStringList& row : rows_)
    for (int i = 0; i < row.size(); ++i) {
      if (widths.size() <= i) widths << 0;
      widths[i] = std::max(widths[i], displayWidth(row[i]));
    }
  QString out;
  for (const QStringList& row : rows_) {
    QString line;
    for (int i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size())
        line += QString(widths[i] - displayWidth(row[i]) + 2, QLatin1Char(' '));
    }
    out += line + QLatin1Char('\n');
  }
  return out;
}

}  // namespace kv::cli
