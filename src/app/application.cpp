#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include "image/programfolders.h"
#include "image/programlanguage.h"
#include "ui/usersettings.h"

namespace kv {
namespace {

// A menu is made as wide as its entries' texts without the "&" that marks their access key,
// but the style elides a text against its width with the "&" counted: a menu whose widest
// entry has such a key (the one entry of 端口选择, "选择端口(&P)") drew it cut off. Each
// entry gets the room of its "&"s.
class MenuRoomStyle : public QProxyStyle {
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
};

}  // namespace

void configureApplication(QApplication& /*app*/) {
  // No display name is set: the window system would append it to every caption.
  useProgramIdentity();
  QGuiApplication::setDesktopFileName(QStringLiteral(KV_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/kvprog.png")));
  QFont font = QApplication::font();
  font.setPointSizeF(std::max(font.pointSizeF(), 10.5));  // Chinese text stays legible
  QApplication::setStyle(new MenuRoomStyle);
  QApplication::setFont(font);
  // The language the user chose in the window, else the one the environment asks for.
  useLanguage(UserSettings().language().value_or(environmentLanguage()));
}

}  // namespace kv
