#include "editor/recentfiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "ui/prompts.h"
#include "ui/usersettings.h"

namespace kv {
namespace {

const int kNameWidth = 40;  // in average characters

}  // namespace

RecentFiles::RecentFiles(QMenu* menu, QAction* before, QWidget* window)
    : QObject(window), window_(window), menu_(menu), separator_(menu->insertSeparator(before)) {
  separator_->setObjectName(QStringLiteral("mnuNULL"));
  for (size_t i = 0; i < entries_.size(); ++i) {
    QAction* entry = new QAction(menu);
    entry->setObjectName(QStringLiteral("mnuFileMRU%1").arg(i));
    menu->insertAction(before, entry);
    connect(entry, &QAction::triggered, this, [this, entry] { picked(entry); });
    entries_[i] = entry;
  }
  connect(menu, &QMenu::aboutToShow, this, &RecentFiles::update);
  update();
}

void RecentFiles::add(const QString& path) {
  UserSettings().addRecentFile(path);
  update();
}

void RecentFiles::update() {
  const QStringList paths = UserSettings().recentFiles();
  separator_->setVisible(!paths.isEmpty());
  for (size_t i = 0; i < entries_.size(); ++i) {
    QAction* entry = entries_[i];
    const QString path = paths.value(qsizetype(i));
    entry->setVisible(!path.isEmpty());
    entry->setData(path);
    // A long name is shortened in the middle, keeping its start and its end, so that the menu
    // keeps its width; the status tip has the whole path.
    const QFontMetrics metrics = menu_->fontMetrics();
    QString name = metrics.elidedText(QFileInfo(path).fileName(), Qt::ElideMiddle,
                                      kNameWidth * metrics.averageCharWidth());
    entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
        name.replace(QLatin1Char('&'), QLatin1String("&&"))));
    entry->setStatusTip(QDir::toNativeSeparators(path));
  }
}

void RecentFiles::picked(const QAction* entry) {
  const QString path = entry->data().toString();
  if (QFileInfo::exists(path)) {
    emit openRequested(path);
    return;
  }
  const QString question =
      tr("找不到文件“%1”。\n是否将它从最近使用的文件中删除？").arg(QDir::toNativeSeparators(path));
  if (prompts::message(window_, question, tr("提示"), prompts::Icon::Question,
                       prompts::Buttons::OkCancel)) {
    UserSettings().removeRecentFile(path);
    update();
  }
}

}  // namespace kv
