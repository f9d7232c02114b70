#include "editor/channelgrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/gridview.h"
#include "model/radiomodel.h"
#include "model/signalcodes.h"
#include "ui/prompts.h"

namespace kv {
namespace {

const int kRowCount = kChannelCount + 1;  // heading row and the sixteen channels

const QString kOff = QStringLiteral("OFF");
const QString kTitle = QStringLiteral("提示");
const QString kOutOfRange = QStringLiteral("请在正确的频率范围输入");
const QString kOffRaster = QStringLiteral("输入的频率需为6.25K或5K的整数");

// The widest text each column shows besides its heading.
const char* const kWidestTexts[kColumnCount] = {"16",    "000.00000", "000.00000", "D000N",
                                                "D000N", "否",        "宽",        "高"};

QStringList shortListEntries(int column) {
  switch (column) {
    case kBusyLock:
      return busyLockOptions();
    case kBandwidth:
      return bandwidthOptions();
    default:
      return txPowerOptions();
  }
}

Qt::Alignment columnAlignment(int column) {
  return column == kRxFreq || column == kTxFreq ? Qt::AlignLeft | Qt::AlignVCenter
                                                : Qt::AlignCenter;
}

}  // namespace

QString ChannelGrid::cellFrequency(const QString& text) { return formatFrequency(text, 3); }
QString ChannelGrid::editorFrequency(const QString& text) { return formatFrequency(text, 0); }

ChannelGrid::ChannelGrid(RadioData& data, std::function<QString()> bandText, QWidget* parent)
    : QGroupBox(QStringLiteral("信道数据设置"), parent),
      data_(data),
      bandText_(std::move(bandText)),
      grid_(new GridView(kRowCount, kColumnCount, this)),
      txtTxFreq_(new QLineEdit(this)),
      txtRecFreq_(new QLineEdit(this)),
      shortList_(new QComboBox(this)),
      signalList_(new QComboBox(this)) {
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

  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // A list keeps its own height over a cell, so a row is made as tall as a list.
  const int rowHeight = std::max(signalList_->sizeHint().height(), txtTxFreq_->sizeHint().height());
  grid_->verticalHeader()->setMinimumSectionSize(rowHeight);
  grid_->verticalHeader()->setDefaultSectionSize(rowHeight);
  // Wide enough for the heading and for an editor showing the column's widest text.
  const QFontMetrics metrics(arial);
  const int padding = 4 * metrics.averageCharWidth();
  const QStringList headings = columnHeadings();
  int width = 2 * grid_->frameWidth();
  for (int c = 0; c < kColumnCount; ++c) {
    const int text = std::max(metrics.horizontalAdvance(headings[c]),
                              metrics.horizontalAdvance(QString::fromUtf8(kWidestTexts[c])));
    grid_->setColumnWidth(c, text + padding);
    width += text + padding;
  }
  grid_->setFixedSize(width, kRowCount * rowHeight + 2 * grid_->frameWidth());
  setupGrid(headings);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);

  connect(grid_, &GridView::cellLeftPressed, this, &ChannelGrid::cellClicked);
  connect(grid_, &QTableWidget::currentCellChanged, this, &ChannelGrid::currentCellChanged);
  // A keyboard move leaves the editors over a cell that is no longer current: a pick in them
  // would land in the wrong cell.
  connect(grid_, &GridView::keyboardMove, this, &ChannelGrid::hideEditors);
  for (auto [editor, column] : {std::pair{txtTxFreq_, int(kRxFreq)}, {txtRecFreq_, int(kTxFreq)}}) {
    connect(editor, &QLineEdit::textChanged, this, [=, this] { frequencyEdited(editor, column); });
    connect(editor, &QLineEdit::returnPressed, this,
            [=, this] { frequencyEntered(editor, column); });
  }
  for (QComboBox* list : {shortList_, signalList_})
    connect(list, &QComboBox::activated, this, [=, this] { listPicked(list); });
}

void ChannelGrid::setupGrid(const QStringList& headings) {
  const QBrush fixedBack = palette().button();
  const QBrush fixedText = palette().buttonText();
  for (int r = 0; r < kRowCount; ++r) {
    for (int c = 0; c < kColumnCount; ++c) {
      auto* item = new QTableWidgetItem;
      if (r == 0 || c == 0) {
        item->setText(r == 0 ? headings[c] : QString::number(r));
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::NoItemFlags);
        item->setBackground(fixedBack);
        item->setForeground(fixedText);
      } else {
        item->setTextAlignment(columnAlignment(c));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      }
      grid_->setItem(r, c, item);
    }
  }
  grid_->setCurrentCell(row_, column_);
  refresh();
}

void ChannelGrid::refresh() {
  editedSinceCheck_ = false;
  for (int r = 1; r < kRowCount; ++r)
    for (int c = 1; c < kColumnCount; ++c) grid_->item(r, c)->setText(cellText(r, c));
}

void ChannelGrid::setCell(int row, int column, const QString& text) {
  QString& cell = data_.cell(row, column);
  if (cell == text) return;
  cell = text;
  grid_->item(row, column)->setText(text);
  emit edited();
}

QLineEdit* ChannelGrid::frequencyEditor(int column) const {
  return column == kRxFreq ? txtTxFreq_ : txtRecFreq_;
}

std::array<QWidget*, 4> ChannelGrid::editors() const {
  return {txtTxFreq_, txtRecFreq_, shortList_, signalList_};
}

void ChannelGrid::hideAllBut(QWidget* keep) {
  for (QWidget* editor : editors())
    if (editor != keep) editor->hide();
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
  if (row == 0 || column == 0) {
    hideEditors();
    return;
  }
  switch (column_) {
    case kRxFreq:
    case kTxFreq: {
      QLineEdit* editor = frequencyEditor(column_);
      hideAllBut(editor);
      placeOverCell(editor, row_, column_);
      // Set while the editor is hidden, so that this text is not written back; it may still
      // be shown over the cell that was left.
      editor->hide();
      editor->setText(editorFrequency(cellText(row_, column_)));
      editor->show();
      editor->setFocus();
      editor->selectAll();
      break;
    }
    case kRxSignal:
    case kTxSignal:
      hideAllBut(signalList_);
      if (const int entry = findPrefix(signalPickList(), cellText(row_, column_)); entry >= 0) {
        signalList_->setCurrentIndex(entry);
        listPicked(signalList_);  // writes only when the list was already shown
      }
      placeOverCell(signalList_, row_, column_);
      signalList_->show();
      break;
    case kBusyLock:
    case kBandwidth:
    case kTxPower:
      hideAllBut(shortList_);
      shortList_->clear();
      shortList_->addItems(shortListEntries(column_));
      shortList_->setCurrentIndex(-1);
      placeOverCell(shortList_, row_, column_);
      shortList_->show();
      break;
    default:
      hideEditors();
  }
}

void ChannelGrid::currentCellChanged(int row, int column, int previousRow, int previousColumn) {
  if (previousRow >= 1 && previousColumn >= 1) {
    row_ = previousRow;
    column_ = previousColumn;
    leaveCell(previousRow, previousColumn);
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
}

void ChannelGrid::listPicked(QComboBox* list) {
  if (list->isHidden()) return;
  QString text = list->currentText();
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
      rejectFrequency(row, column, kOutOfRange);
      return false;
    case FrequencyCheck::OffRaster:
      rejectFrequency(row, column, kOffRaster);
      return false;
    case FrequencyCheck::Unreadable:
      setCell(row, column, kOff);
      return true;
    case FrequencyCheck::Accepted:
      break;
  }
  if (column != kRxFreq) return true;
  // A fresh row starts from these; cells that already hold something keep it.
  const QString noSignal = signalPickList().first();
  const QString defaults[] = {
      text, noSignal, noSignal, QStringLiteral("否"), QStringLiteral("宽"), QStringLiteral("高")};
  for (int c = kTxFreq; c <= kTxPower; ++c)
    if (cellText(row, c).isEmpty()) setCell(row, c, defaults[c - kTxFreq]);
  return true;
}

void ChannelGrid::rejectFrequency(int row, int column, const QString& message) {
  prompts::message(window(), message, kTitle, prompts::Icon::Information);
  setCell(row, column, QString());
  QLineEdit* editor = frequencyEditor(column);
  editor->clear();
  editor->hide();
}

}  // namespace kv
