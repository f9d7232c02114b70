#include "editor/editcommands.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "editor/cellvalues.h"
#include "editor/channelgrid.h"
#include "editor/document.h"
#include "editor/gridview.h"
#include "ui/prompts.h"
#include "ui/translatedtext.h"

namespace kv {
namespace {

QList<CellValue> emptied(const QRect& cells) {
  QList<CellValue> values;
  for (int row = cells.top(); row <= cells.bottom(); ++row)
    for (int column = cells.left(); column <= cells.right(); ++column)
      values.append({row, column, QString()});
  return values;
}

}  // namespace

EditCommands::EditCommands(Document& document, ChannelGrid& grid, std::function<QString()> bandText,
                           QObject* parent)
    : QObject(parent), document_(document), grid_(grid), bandText_(std::move(bandText)) {
  undo_ = addAction("mnuUndo", QT_TR_NOOP("撤销(&U)"), {QKeySequence(QStringLiteral("Ctrl+Z"))},
                    &EditCommands::undo);
  redo_ = addAction(
      "mnuRedo", QT_TR_NOOP("重做(&R)"),
      {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
      &EditCommands::redo);
  cut_ = addAction("mnuCut", QT_TR_NOOP("剪切(&T)"), {}, &EditCommands::cut);
  copy_ = addAction("mnuCopy", QT_TR_NOOP("复制(&C)"), {QKeySequence(QStringLiteral("Ctrl+C"))},
                    &EditCommands::copy);
  paste_ = addAction("mnuPaste", QT_TR_NOOP("粘贴(&P)"), {QKeySequence(QStringLiteral("Ctrl+V"))},
                     &EditCommands::paste);
  clear_ = addAction("mnuClearChannels", QT_TR_NOOP("清除信道"), {QKeySequence(Qt::Key_Delete)},
                     &EditCommands::clearChannels);
  fill_ = addAction("mnuFillDown", QT_TR_NOOP("向下填充"), {QKeySequence(QStringLiteral("Ctrl+D"))},
                    &EditCommands::fillDown);
  for (QAction* action : {cut_, copy_, paste_, clear_, fill_}) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    grid_.addAction(action);
  }

  QUndoStack& history = document_.history();
  undo_->setEnabled(history.canUndo());
  redo_->setEnabled(history.canRedo());
  connect(&history, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
  connect(&history, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);

  grid_.grid()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid_.grid(), &QWidget::customContextMenuRequested, this, &EditCommands::showContextMenu);
}

QAction* EditCommands::addAction(const char* name, const char* caption,
                                 const QList<QKeySequence>& keys, void (EditCommands::*run)()) {
  auto* action = new QAction(this);
  setTranslatedText(action, metaObject()->className(), caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(keys);
  connect(action, &QAction::triggered, this, run);
  return action;
}

QList<QAction*> EditCommands::menuActions() const {
  return {undo_, redo_, nullptr, copy_, paste_, nullptr, clear_, fill_};
}

void EditCommands::showContextMenu(const QPoint& pos) {
  QMenu menu(&grid_);
  menu.setObjectName(QStringLiteral("gridContextMenu"));
  menu.addActions({cut_, copy_, paste_});
  menu.addSeparator();
  menu.addActions({clear_, fill_});
  menu.exec(grid_.grid()->viewport()->mapToGlobal(pos));
}

bool EditCommands::prepare() {
  if (!grid_.checkEditedCell()) return false;
  grid_.hideEditors();
  return true;
}

bool EditCommands::enter(const QList<CellValue>& values) {
  const EnteredValues entered = enterCellValues(document_.data(), values, bandText_());
  if (!entered.refusal.isEmpty()) {
    prompts::message(grid_.window(), entered.refusal, tr("提示"), prompts::Icon::Information);
    return false;
  }
  document_.change(entered.data);
  return true;
}

void EditCommands::undo() {
  if (prepare()) document_.history().undo();
}

void EditCommands::redo() {
  if (prepare()) document_.history().redo();
}

void EditCommands::copy() {
  if (prepare())
    QGuiApplication::clipboard()->setText(
        cellsAsText(document_.data(), grid_.grid()->selectedCells()));
}

void EditCommands::cut() {
  if (!prepare()) return;
  const QRect cells = grid_.grid()->selectedCells();
  QGuiApplication::clipboard()->setText(cellsAsText(document_.data(), cells));
  enter(emptied(cells));
}

void EditCommands::paste() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty() || !prepare()) return;
  const auto values = valuesFromText(text, grid_.grid()->selectedCells());
  if (!values) {
    prompts::message(grid_.window(), tr("粘贴的内容超出信道表的范围"), tr("提示"),
                     prompts::Icon::Information);
    return;
  }
  if (!enter(*values)) return;
  QRect pasted;
  for (const CellValue& value : *values) pasted |= QRect(value.column, value.row, 1, 1);
  grid_.grid()->selectCells(pasted);
}

void EditCommands::clearChannels() {
  if (!prepare()) return;
  const QRect cells = grid_.grid()->selectedCells();
  enter(emptied(QRect(QPoint(kRxFreq, cells.top()), QPoint(kTxPower, cells.bottom()))));
}

void EditCommands::fillDown() {
  if (!prepare()) return;
  const QRect cells = grid_.grid()->selectedCells();
  QList<CellValue> copies;
  for (int row = cells.top() + 1; row <= cells.bottom(); ++row)
    for (int column = cells.left(); column <= cells.right(); ++column)
      copies.append({row, column, document_.data().cell(cells.top(), column)});
  enter(copies);
}

}  // namespace kv
