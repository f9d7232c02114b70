#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTreeView>
#include <QWidget>

#include "testfiles.h"
#include "ui/accessibility.h"

namespace kvtest {

// Every text a person can see in `window`: its title; the texts of its visible labels,
// buttons, group boxes, list entries, table headings and cells; its menus' titles and entries;
// its status bar.
// Each is prefixed with the widget's object name, so that a failure says where it is.
inline QStringList visibleTexts(QWidget* window) {
  QStringList texts{QStringLiteral("title: ") + window->windowTitle()};
  const auto add = [&texts](const QObject* o, const QString& text) {
    if (!text.isEmpty()) texts << o->objectName() + QStringLiteral(": ") + text;
  };
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  for (QWidget* w : widgets) {
    if (!w->isVisibleTo(window) && !qobject_cast<QMenu*>(w)) continue;
    if (auto* label = qobject_cast<QLabel*>(w)) add(label, label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) add(button, button->text());
    if (auto* box = qobject_cast<QGroupBox*>(w)) add(box, box->title());
    if (auto* combo = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < combo->count(); ++i) add(combo, combo->itemText(i));
    if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
      for (int i = 0; i < header->count(); ++i)
        add(header, header->model()->headerData(i, header->orientation()).toString());
    if (auto* table = qobject_cast<QTableWidget*>(w))
      for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
          if (table->item(r, c)) add(table, table->item(r, c)->text());
    if (auto* menu = qobject_cast<QMenu*>(w)) {
      add(menu, menu->title());
      for (const QAction* action : menu->actions()) add(menu, action->text());
    }
    if (auto* status = qobject_cast<QStatusBar*>(w)) add(status, status->currentMessage());
  }
  for (const QAction* action : window->findChildren<QAction*>())
    if (action->isVisible() && !action->associatedObjects().isEmpty()) add(action, action->text());
  texts.removeDuplicates();  // a menu's title is its action's text too
  return texts;
}

// The entries of `menu` whose text, without its mnemonic and with its shortcut, is wider than
// the entry the menu has room to give it.
inline void addCutMenuEntries(QMenu* menu, QStringList& cut) {
  const QFontMetrics metrics(menu->font());
  for (QAction* action : menu->actions()) {
    const QString text = QString(action->text()).remove(QRegularExpression("&(?!&)")) + ' ' +
                         action->shortcut().toString(QKeySequence::NativeText);
    if (action->isVisible() &&
        metrics.horizontalAdvance(text) > menu->actionGeometry(action).width())
      cut << menu->objectName() + QStringLiteral(" is cut: ") + action->text();
  }
}

// The columns of a table or a tree whose entries or heading need more room than the column has,
// or which lie beyond what the view shows and cannot be scrolled to.
inline void addCutColumns(QAbstractItemView* view, QHeaderView* header, QStringList& cut) {
  for (int c = 0; c < header->count(); ++c)
    if (!header->isSectionHidden(c) &&
        (std::max(view->sizeHintForColumn(c), header->sectionSizeHint(c)) >
             header->sectionSize(c) ||
         (header->sectionViewportPosition(c) + header->sectionSize(c) > view->viewport()->width() &&
          view->horizontalScrollBar()->maximum() == 0)))
      cut << view->objectName() + QStringLiteral(" is cut: column %1").arg(c);
}

// The visible labels, buttons, lists, table and tree columns and menu entries of `window` whose
// text needs more room than they have, and the menu bar's and tool bars' entries out of sight.
inline QStringList cutTexts(QWidget* window) {
  QStringList cut;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (auto* menu = qobject_cast<QMenu*>(w)) addCutMenuEntries(menu, cut);
    if (!w->isVisibleTo(window)) continue;
    // The button that opens the entries a menu bar or a tool bar has no room for.
    if (w->objectName().endsWith(QLatin1String("bar_ext_button")))
      cut << w->parentWidget()->objectName() + QStringLiteral(" has entries out of sight");
    if (auto* table = qobject_cast<QTableView*>(w))
      addCutColumns(table, table->horizontalHeader(), cut);
    if (auto* tree = qobject_cast<QTreeView*>(w)) addCutColumns(tree, tree->header(), cut);
    if (auto* list = qobject_cast<QComboBox*>(w); list && list->sizeHint().width() > list->width())
      cut << list->objectName() + QStringLiteral(" is cut: ") + list->currentText();
    const auto* label = qobject_cast<QLabel*>(w);
    const auto* button = qobject_cast<QAbstractButton*>(w);
    if (!label && !button) continue;
    if (button && button->text().isEmpty()) continue;  // a picture of the size it was given
    const bool wraps = label && label->wordWrap();
    const QSize need = w->sizeHint();
    const bool fits = wraps ? w->heightForWidth(w->width()) <= w->height()
                            : need.width() <= w->width() && need.height() <= w->height();
    if (!fits)
      cut << w->objectName() + QStringLiteral(" is cut: ") +
                 (label ? label->text() : button->text());
  }
  return cut;
}

// The texts of `window` that have less than 4.5:1 against their background: the enabled,
// visible labels, buttons, lists, text boxes and the items of tables and trees (selected items
// on the selection's colour). A disabled control is exempt.
inline QStringList faintTexts(QWidget* window) {
  QStringList faint;
  const auto check = [&faint](const QObject* o, const QString& text, const QColor& fg,
                              const QColor& bg) {
    if (!text.isEmpty() && kv::contrastRatio(fg, bg) < 4.5)
      faint << QStringLiteral("%1: %2 (%3 on %4)").arg(o->objectName(), text, fg.name(), bg.name());
  };
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || !w->isEnabled()) continue;
    const QPalette& p = w->palette();
    QString text;  // in the widget's colour roles: a button's ButtonText on Button, ...
    if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
    if (auto* box = qobject_cast<QGroupBox*>(w)) text = box->title();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) text = edit->text();
    if (auto* list = qobject_cast<QComboBox*>(w)) text = list->currentText();
    check(w, text, p.color(w->foregroundRole()), p.color(w->backgroundRole()));
    auto* view = qobject_cast<QAbstractItemView*>(w);
    if (!view || !view->model() || qobject_cast<QComboBox*>(w->parentWidget())) continue;
    for (int r = 0; r < view->model()->rowCount(); ++r)
      for (int c = 0; c < view->model()->columnCount(); ++c) {
        const QModelIndex index = view->model()->index(r, c);
        const bool selected = view->selectionModel()->isSelected(index);
        const auto colour = [&](int role, QPalette::ColorRole own, QPalette::ColorRole chosen) {
          const QVariant brush = index.data(role);
          return selected || !brush.isValid() ? p.color(selected ? chosen : own)
                                              : brush.value<QBrush>().color();
        };
        check(view, index.data().toString(),
              colour(Qt::ForegroundRole, QPalette::Text, QPalette::HighlightedText),
              colour(Qt::BackgroundRole, QPalette::Base, QPalette::Highlight));
      }
  }
  return faint;
}

// The unticked boxes and the tables' grid lines of `window` that stand out less from what they
// are drawn on than on a light window (1.65:1): an option or a cell's edge that is not seen.
inline QStringList unseenEdges(QWidget* window) {
  QStringList unseen;
  const auto check = [&unseen](QWidget* w, const QRect& area, const QColor& background) {
    const QImage image = w->grab(area).toImage();
    double best = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        best = std::max(best, kv::contrastRatio(image.pixelColor(x, y), background));
    if (best < 1.5) unseen << QStringLiteral("%1: its edges (%2:1)").arg(w->objectName()).arg(best);
  };
  for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
    if (!box->isVisibleTo(window) || box->isChecked()) continue;
    QStyleOptionButton option;
    option.initFrom(box);
    check(box, box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box),
          box->palette().color(box->backgroundRole()));
  }
  for (QTableView* table : window->findChildren<QTableView*>()) {
    if (!table->isVisibleTo(window) || !table->showGrid() || !table->model()->rowCount()) continue;
    const QRect cell = table->visualRect(table->model()->index(0, 0));
    check(table->viewport(), QRect(cell.right() - 1, cell.top(), 3, cell.height()),
          table->palette().color(QPalette::Base));
  }
  return unseen;
}

// The texts of `window` with a Han character, the two entries of 语言 / Language excepted.
inline QStringList chineseTexts(QWidget* window) {
  QStringList chinese;
  for (const QString& text : visibleTexts(window))
    if (hasChinese(text) && !text.endsWith(QStringLiteral("中文")) &&
        !text.endsWith(QStringLiteral("语言 / Language")))
      chinese << text;
  return chinese;
}

}  // namespace kvtest
