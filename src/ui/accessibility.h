#pragma once

#include <QString>

class QColor;
class QLabel;
class QWidget;

namespace kv {

// A caption as a screen reader names what it stands beside: without its closing colon
// ("静噪等级：" is "静噪等级").
QString captionName(const QString& caption);

// Names `field` after `label`, the caption shown beside it. The label becomes the field's
// buddy: a screen reader on Linux reads it with a list's value, which is the list's name
// there. Run again when the label's text changes.
void nameAfterLabel(QWidget* field, QLabel* label);

// The contrast of two colours as the web's accessibility guidelines measure it: 1 to 21;
// a text needs 4.5 against its background.
double contrastRatio(const QColor& a, const QColor& b);
// `colour` made darker or lighter, away from `other`, until the two have 4.5:1: a text on a
// background of the palette, or a selection behind its text.
QColor readableAgainst(QColor colour, const QColor& other);

}  // namespace kv
