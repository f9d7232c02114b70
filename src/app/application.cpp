#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "image/programfolders.h"
#include "image/programlanguage.h"
#include "ui/accessibility.h"
#include "ui/usersettings.h"

namespace kv {
namespace {

// Fusion, with two changes. A menu is made as wide as its entries' texts without the "&"
// that marks their access key, but the style elides a text against its width with the "&"
// counted: a menu whose widest entry has such a key (the one entry of 端口选择, "选择端口(&P)")
// drew it cut off. Each entry gets the room of its "&"s. And Fusion outlines a tick box and
// the table's grid in a shade darker than the window, which on a black window is black: an
// unticked option and the cells' edges vanish under a high-contrast palette. Where that shade
// does not show, they are drawn in a shade of the window's text; other palettes look as always.
class ProgramStyle : public QProxyStyle {
 public:
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        item && type == CT_MenuItem)
      result.rwidth() += int(item->text.count(QLatin1Char('&'))) *
                         item->fontMetrics.horizontalAdvance(QLatin1Char('&'));
    return result;
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_IndicatorCheckBox || !option ||
        standsOut(option->palette.color(QPalette::Window).darker(140), option->palette))
      return QProxyStyle::drawPrimitive(element, option, painter, widget);
    // A copy of its own kind, which the tick box reads its state from.
    const auto outlined = [&](auto copy) {
      copy.palette.setColor(QPalette::Window, option->palette.color(QPalette::WindowText));
      QProxyStyle::drawPrimitive(element, &copy, painter, widget);
    };
    if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option))
      outlined(*button);
    else
      outlined(*option);
  }

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    const int result = QProxyStyle::styleHint(hint, option, widget, data);
    if (hint != SH_Table_GridLineColor || !option ||
        standsOut(QColor::fromRgba(QRgb(result)), option->palette))
      return result;
    return int(option->palette.color(QPalette::Text).darker(140).rgba());
  }

 private:
  // Whether an edge in `colour` shows on the palette's base as on a light window (1.65:1).
  static bool standsOut(const QColor& colour, const QPalette& palette) {
    return contrastRatio(colour, palette.color(QPalette::Base)) >= 1.5;
  }
};

// The selected cells and list entries are read in their own colours: where the palette's
// selection leaves its text under 4.5:1 (Fusion's own light one does), the selection is made
// darker or lighter until it reaches that. Every other colour stays.
void keepSelectionReadable() {
  QPalette palette = QApplication::palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive})
    palette.setColor(group, QPalette::Highlight,
                     readableAgainst(palette.color(group, QPalette::Highlight),
                                     palette.color(group, QPalette::HighlightedText)));
  if (palette != QApplication::palette()) QApplication::setPalette(palette);
}

// Qt draws the focus frame only in a window where Tab has moved the focus. Whoever moves it
// with the arrows, or opens a window from the keyboard, sees it there too; a window opened
// or worked with the mouse looks as it always did. A new palette keeps its selection readable.
class AccessibleLook : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        keyboard_ = true;
        if (movesFocus(static_cast<QKeyEvent*>(event)->key())) show(QApplication::activeWindow());
        break;
      case QEvent::MouseButtonPress:
        keyboard_ = false;
        break;
      case QEvent::ApplicationPaletteChange:
        if (watched == qApp) keepSelectionReadable();
        break;
      case QEvent::Show:
        if (auto* window = qobject_cast<QWidget*>(watched);
            keyboard_ && window && window->isWindow())
          show(window);
        break;
      default:
        break;
    }
    return false;
  }

 private:
  static bool movesFocus(int key) {
    return (key >= Qt::Key_Home && key <= Qt::Key_PageDown) || key == Qt::Key_Tab ||
           key == Qt::Key_Backtab;
  }
  static void show(QWidget* window) {
    if (!window || window->testAttribute(Qt::WA_KeyboardFocusChange)) return;
    window->setAttribute(Qt::WA_KeyboardFocusChange);
    if (QWidget* focus = window->focusWidget()) focus->update();
  }

  bool keyboard_ = false;
};

}  // namespace

void configureApplication(QApplication& /*app*/) {
  // No display name is set: the window system would append it to every caption.
  useProgramIdentity();
  QGuiApplication::setDesktopFileName(QStringLiteral(KV_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/kvprog.png")));
  QFont font = QApplication::font();
  font.setPointSizeF(std::max(font.pointSizeF(), 10.5));  // Chinese text stays legible
  QApplication::setStyle(new ProgramStyle);
  QApplication::setFont(font);
  static auto* look = new AccessibleLook(qApp);
  qApp->installEventFilter(look);
  keepSelectionReadable();
  // The language the user chose in the window, else the one the environment asks for.
  useLanguage(UserSettings().language().value_or(environmentLanguage()));
}

}  // namespace kv
