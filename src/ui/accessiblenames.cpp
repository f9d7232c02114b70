#include "ui/accessiblenames.h"

#include <QLabel>
#include <QRegularExpression>

namespace kv {

QString captionName(const QString& caption) {
  static const QRegularExpression colon(QStringLiteral("\\s*[：:]\\s*$"));
  return QString(caption).remove(colon);
}

void nameAfterLabel(QWidget* field, QLabel* label) {
  label->setBuddy(field);
  field->setAccessibleName(captionName(label->text()));
}

}  // namespace kv
