#include "ui/accessibility.h"

#include <QColor>
#include <QLabel>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace kv {

QString captionName(const QString& caption) {
  static const QRegularExpression colon(QStringLiteral("\\s*[：:]\\s*$"));
  return QString(caption).remove(colon);
}

void nameAfterLabel(QWidget* field, QLabel* label) {
  label->setBuddy(field);
  field->setAccessibleName(captionName(label->text()));
}

double contrastRatio(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto channel = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
  return (light + 0.05) / (dark + 0.05);
}

QColor readableAgainst(QColor colour, const QColor& other) {
  const bool darker = other.lightnessF() > 0.5;
  for (int step = 0; step < 20 && contrastRatio(colour, other) < 4.5; ++step)
    colour = darker ? colour.darker(110) : colour.lighter(120);
  return colour;
}

}  // namespace kv
