#pragma once

#include <QString>

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

}  // namespace kv
