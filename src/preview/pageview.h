#pragma once

#include <QImage>
#include <QWidget>

namespace kv {

// The page surface: the visible part of one A4 sheet at a zoom, drawn from the script on
// request and kept as a picture until the next drawing.
class PageView : public QWidget {
  Q_OBJECT
 public:
  explicit PageView(QWidget* parent = nullptr);

  // Size of the whole sheet at `zoom` percent, in this widget's pixels.
  QSizeF sheetSize(double zoom) const;
  // Draws `page` (none when < 1) at `zoom` with the sheet shifted left and up by the offsets.
  void draw(double zoom, int page, int scrollX, int scrollY);

  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace kv
