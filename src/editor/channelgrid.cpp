#include "editor/channelgrid.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/cellvalues.h"
#include "editor/document.h"
#include "editor/gridview.h"
#include "model/radiomodel.h"
#include "model/signalcodes.h"
#include "model/valuetexts.h"
#include "ui/accessibility.h"
#include "ui/prompts.h"

namespace kv {
namespace {

const int kRowCount = kChannelCount + 1;  // heading row and the sixteen channels

const QString kOff = QStringLiteral("OFF");

// The widest text each column shows besides its heading and its list's values.
const char* const kWidestTexts[kColumnCount] = {"16",    "000.00000", "000.00000", "D000N",
                                                "D000N", "",          "",          ""};

Qt::Alignment columnAlignment(int column) {
  return column == kRxFreq || column == kTxFreq ? Qt::AlignLeft | Qt::AlignVCenter
                                                : Qt::AlignCenter;
}

}  // namespace

QString ChannelGrid::cellFrequency(const QString& text) { return formatFrequency(text, 3); }
QString ChannelGrid::editorFrequency(const QString& text) { return formatFrequency(text, 0); }

ChannelGrid::ChannelGrid(Document& document, std::function<QString()> bandText, QWidget* parent)
    : QGroupBox(parent),
      document_(document),
      bandText_(std::move(bandText)),
      grid_(new GridView(kRowCount, kColumnCount, this)),
      txtTxFreq_(new QLineEdit(this)),
      txtRecFreq_(new QLineEdit(this)),
      shortList_(new QComboBox(this)),
      signalList_(new QComboBox(this)),
      listLabel_(new QLabel(this)) {
  setObjectName(QStringLiteral("fraChan"));
  grid_->setObjectName(QStringLiteral("gridXDSZ"));
  txtTxFreq_->setObjectName(QStringLiteral("txtTxFreq"));
  txtRecFreq_->setObjectName(QStringLiteral("txtRecFreq"));
  shortList_->setObjectName(QStringLiteral("cmbVask1"));
  signalList_->setObjectName(QStringLiteral("cmbVask2"));
  signalList_->addItems(signalPickList());
  // Dropped down below the cell with a scroll bar, not as a column the height of the screen.
  signalList_->setStyleSheet(QStringLiteral(
      "QComboBox { combobox-popup: 0; } QComboBox QAbstractItemView::item { min-height: 1.5em; }"));
  signalList_->setMaxVisibleItems(16);

  QFont arial(QStringLiteral("Arial"));
  arial.setPointSizeF(font().pointSizeF());
  grid_->setFont(arial);
  for (QWidget* editor : editors()) {
    editor->setFont(arial);
    editor->hide();
  }
  // Never shown: the caption a screen reader gives the open list, the heading of its column.
  listLabel_->hide();

  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // A list keeps its own height over a cell, so a row is made as tall as a list.
  const int rowHeight = std::max(signalList_->sizeHint().height(), txtTxFreq_->sizeHint().height());
  grid_->verticalHeader()->setMinimumSectionSize(rowHeight);
  grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
  grid_->setFixedHeight(kRowCount * rowHeight + 2 * grid_->frameWidth());
  setupGrid();
  showTexts();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);

  connect(grid_, &GridView::cellLeftPressed, this, &ChannelGrid::cellClicked);
  connect(grid_, &QTableWidget::currentCellChanged, this, &ChannelGrid::currentCellChanged);
  // A keyboard move leaves the editors over a cell that is no longer current: a pick in them
  // would land in the wrong cell.
  connect(grid_, &GridView::keyboardMove, this, &ChannelGrid::hideEditors);
  connect(grid_, &GridView::selecting, this, &ChannelGrid::hideEditors);
  connect(grid_, &GridView::editRequested, this, &ChannelGrid::editRequested);
  connect(&document_, &Document::changed, this, &ChannelGrid::showCells);
  for (QWidget* editor : editors()) editor->installEventFilter(this);
  for (auto [editor, column] : {std::pair{txtTxFreq_, int(kRxFreq)}, {txtRecFreq_, int(kTxFreq)}}) {
    connect(editor, &QLineEdit::textChanged, this, [=, this] { frequencyEdited(editor, column); });
    connect(editor, &QLineEdit::returnPressed, this,
            [=, this] { frequencyEntered(editor, column); });
  }
  for (QComboBox* list : {shortList_, signalList_})
    connect(list, &QComboBox::activated, this, [=, this] { listPicked(list); });
}

void ChannelGrid::showTexts() {
  setTitle(tr("信道数据设置"));
  grid_->setAccessibleName(tr("信道数据"));
  for (int r = 1; r < kRowCount; ++r)
    grid_->item(r, 0)->setData(Qt::AccessibleTextRole, tr("信道 %1").arg(r));
  txtTxFreq_->setAccessibleName(columnCaption(kRxFreq));
  txtRecFreq_->setAccessibleName(columnCaption(kTxFreq));
  // Wide enough for the heading and for an editor showing the column's widest text.
  const QFontMetrics metrics(grid_->font());
  const int padding = 4 * metrics.averageCharWidth();
  int width = 2 * grid_->frameWidth();
  for (int c = 0; c < kColumnCount; ++c) {
    grid_->item(0, c)->setText(columnCaption(c));
    int text = std::max(metrics.horizontalAdvance(columnCaption(c)),
                        metrics.horizontalAdvance(QString::fromUtf8(kWidestTexts[c])));
    if (c >= kBusyLock)
      for (const QString& value : cellOptions(c))
        text = std::max(text, metrics.horizontalAdvance(valueText(value)));
    grid_->setColumnWidth(c, text + padding);
    width += text + padding;
  }
  grid_->setFixedWidth(width);
  hideEditors();  // a list shows the values in the language it was opened in
  showCells();
}

void ChannelGrid::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) showTexts();
  if (event->type() == QEvent::PaletteChange) colourFixedCells();
  QGroupBox::changeEvent(event);
}

void ChannelGrid::colourFixedCells() {
  // The headings and numbers look like buttons in any palette, a high-contrast one included.
  for (int r = 0; r < kRowCount; ++r)
    for (int c = 0; c < kColumnCount; ++c)
      if (r == 0 || c == 0) {
        grid_->item(r, c)->setBackground(palette().button());
        grid_->item(r, c)->setForeground(palette().buttonText());
      }
}

void ChannelGrid::setupGrid() {
  for (int r = 0; r < kRowCount; ++r) {
    for (int c = 0; c < kColumnCount; ++c) {
      auto* item = new QTableWidgetItem;
      if (r == 0 || c == 0) {
        if (r > 0) item->setText(QString::number(r));
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::NoItemFlags);
      } else {
        item->setTextAlignment(columnAlignment(c));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      }
      grid_->setItem(r, c, item);
    }
  }
  colourFixedCells();
  grid_->setCurrentCell(row_, column_);
  refresh();
}

void ChannelGrid::refresh() {
  editedSinceCheck_ = false;
  showCells();
}

void ChannelGrid::showCells() {
  for (int r = 1; r < kRowCount; ++r)
    for (int c = 1; c < kColumnCount; ++c) grid_->item(r, c)->setText(valueText(cellText(r, c)));
}

QString ChannelGrid::cellText(int row, int column) const {
  return document_.data().cell(row, column);
}

void ChannelGrid::setCell(int row, int column, const QString& text) {
  RadioData after = document_.data();
  after.cell(row, column) = text;
  document_.change(after, run_);
}

QLineEdit* ChannelGrid::frequencyEditor(int column) const {
  return column == kRxFreq ? txtTxFreq_ : txtRecFreq_;
}

std::array<QWidget*, 4> ChannelGrid::editors() const {
  return {txtTxFreq_, txtRecFreq_, shortList_, signalList_};
}

void ChannelGrid::hideAllBut(QWidget* keep) {
  for (QWidget* editor : editors()) {
    if (editor == keep) continue;
    if (editor->hasFocus()) grid_->setFocus();
    editor->hide();
  }
}

void ChannelGrid::hideEditors() { hideAllBut(nullptr); }

void ChannelGrid::placeOverCell(QWidget* editor, int row, int column) {
  const QRect cell = grid_->visualItemRect(grid_->item(row, column));
  const QPoint topLeft = grid_->viewport()->mapTo(this, cell.topLeft());
  const bool list = qobject_cast<QComboBox*>(editor) != nullptr;
  editor->setGeometry(topLeft.x(), topLeft.y(), cell.width(),
                      list ? editor->sizeHint().height() : cell.height());
  editor->raise();
}

void ChannelGrid::cellClicked(int row, int column) {
  // The heading row and the number column are never current; a click on them puts the
  // editors away like a click in column 0.
  if (row == 0 || column == 0)
    hideEditors();
  else
    openEditor(false);
}

void ChannelGrid::openEditor(bool dropList) {
  ++run_;
  QComboBox* list = nullptr;
  switch (column_) {
    case kRxFreq:
    case kTxFreq: {
      QLineEdit* editor = frequencyEditor(column_);
      hideAllBut(editor);
      placeOverCell(editor, row_, column_);
      frequencyCell_ = QPoint(column_, row_);
      textBeforeEdit_ = cellText(row_, column_);
      // Set while the editor is hidden, so that this text is not written back; it may still
      // be shown over the cell that was left.
      editor->hide();
      editor->setText(editorFrequency(textBeforeEdit_));
      editor->show();
      editor->setFocus();
      editor->selectAll();
      return;
    }
    case kRxSignal:
    case kTxSignal:
      list = signalList_;
      hideAllBut(list);
      if (const int entry = findPrefix(signalPickList(), cellText(row_, column_)); entry >= 0) {
        list->setCurrentIndex(entry);
        listPicked(list);  // writes only when the list was already shown
      }
      break;
    case kBusyLock:
    case kBandwidth:
    case kTxPower:
      list = shortList_;
      hideAllBut(list);
      list->clear();
      for (const QString& value : cellOptions(column_)) list->addItem(valueText(value), value);
      list->setCurrentIndex(-1);
      break;
    default:
      hideEditors();
      return;
  }
  listLabel_->setText(columnCaption(column_));
  nameAfterLabel(list, listLabel_);
  placeOverCell(list, row_, column_);
  list->show();
  if (dropList) {
    list->setFocus();
    list->showPopup();
  }
}

void ChannelGrid::editRequested(QKeyEvent* typed) {
  const bool frequency = column_ == kRxFreq || column_ == kTxFreq;
  if (typed && !frequency) return;
  openEditor(true);
  // The digit replaces the selected text, as typing into the opened editor would.
  if (typed) QCoreApplication::sendEvent(frequencyEditor(column_), typed);
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  auto* editor = qobject_cast<QLineEdit*>(watched);
  switch (key->key()) {
    case Qt::Key_Escape:
      if (!editor) {
        hideEditors();  // a list: back to the table, whose cell keeps what was picked
        return true;
      }
      restoreEditedCell(editor, editor == txtTxFreq_ ? kRxFreq : kTxFreq);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (!editor) return false;  // a list picks its entries with the arrows
      [[fallthrough]];
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
      // Leaves the editor for the next cell, as the same key on the grid would.
      QKeyEvent move(QEvent::KeyPress, key->key(), key->modifiers());
      grid_->setFocus();
      QCoreApplication::sendEvent(grid_, &move);
      return true;
    }
    default:
      return false;
  }
}

void ChannelGrid::restoreEditedCell(QLineEdit* editor, int column) {
  setCell(row_, column, textBeforeEdit_);
  editedSinceCheck_ = false;
  grid_->setFocus();
  editor->hide();
  ++run_;
}

void ChannelGrid::currentCellChanged(int row, int column, int previousRow, int previousColumn) {
  if (previousRow >= 1 && previousColumn >= 1) {
    row_ = previousRow;
    column_ = previousColumn;
    leaveCell(previousRow, previousColumn);
    ++run_;  // what is written after this belongs to the next cell
  }
  if (row >= 1 && column >= 1) {
    row_ = row;
    column_ = column;
  }
}

void ChannelGrid::frequencyEdited(QLineEdit* editor, int column) {
  if (editor->isHidden()) return;
  const QString text = editor->text();
  if (!text.isEmpty() && !isFrequencyNumber(text)) {
    editor->clear();  // runs this again and empties the cell
    return;
  }
  setCell(row_, column, cellFrequency(text));
  editedSinceCheck_ = true;
}

void ChannelGrid::frequencyEntered(QLineEdit* editor, int column) {
  setCell(row_, column, cellFrequency(editor->text()));
  grid_->setFocus();
  editor->hide();
  leaveCell(row_, column_);
  ++run_;
}

void ChannelGrid::listPicked(QComboBox* list) {
  if (list->isHidden()) return;
  // The short lists show their values in the current language and hold them as data.
  QString text =
      list->currentData().isValid() ? list->currentData().toString() : list->currentText();
  if (column_ == kRxFreq || column_ == kTxFreq) text = cellFrequency(text);
  setCell(row_, column_, text);
  editedSinceCheck_ = true;
}

bool ChannelGrid::checkEditedCell() { return !editedSinceCheck_ || leaveCell(row_, column_); }

bool ChannelGrid::leaveCell(int row, int column) {
  editedSinceCheck_ = false;
  const QString text = cellText(row, column);
  if (text.isEmpty()) {
    setCell(row, column, kOff);
    return true;
  }
  if (column != kRxFreq && column != kTxFreq) return true;
  switch (checkFrequency(text, bandText_())) {
    case FrequencyCheck::OutOfRange:
      rejectFrequency(row, column, refusalMessage(Refusal::OutOfRange, text, bandText_()));
      return false;
    case FrequencyCheck::OffRaster:
      rejectFrequency(row, column, refusalMessage(Refusal::OffRaster, text, bandText_()));
      return false;
    case FrequencyCheck::Unreadable:
      setCell(row, column, kOff);
      return true;
    case FrequencyCheck::Accepted:
      break;
  }
  if (frequencyCell_ == QPoint(column, row)) textBeforeEdit_ = text;
  if (column != kRxFreq) return true;
  RadioData filled = document_.data();
  fillRowDefaults(filled, row);
  document_.change(filled, run_);
  return true;
}

void ChannelGrid::rejectFrequency(int row, int column, const QString& message) {
  prompts::message(window(), message, tr("提示"), prompts::Icon::Information);
  QLineEdit* editor = frequencyEditor(column);
  editor->hide();  // first, so that emptying it writes nothing
  editor->clear();
  // As after Esc; in the same run as the typing, so that the attempt leaves no step behind. A
  // cell the editor did not write (a file's value outside a changed band) keeps its value.
  if (frequencyCell_ == QPoint(column, row)) setCell(row, column, textBeforeEdit_);
}

}  // namespace kv
