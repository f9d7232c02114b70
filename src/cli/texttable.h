#pragma once

#include <QList>
#include <QStringList>

namespace kv::cli {

// Columns aligned for a terminal: Chinese characters take two cells.
class TextTable {
 public:
  void addRow(const QStringList& cells) { rows_ << cells; }
  QString render() const;

 private:
  QList<QStringList> rows_;
};

// Terminal cells taken by `text`.
int displayWidth(const QString& text);

}  // namespace kv::cli
