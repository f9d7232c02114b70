#include "tune/frmmode.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

#include "exchange/fields.h"
#include "image/inifile.h"
#include "model/valuetexts.h"
#include "tune/screencentre.h"
#include "tune/updownarrows.h"
#include "ui/accessibility.h"
#include "ui/prompts.h"
#include "ui/screenfit.h"

namespace kv {
namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kTagRole = Qt::UserRole + 1;
constexpr int kLowestMHz = 0;
constexpr int kHighestMHz = 600;

bool isNumber(const QString& text) {
  bool ok = false;
  const double value = text.toDouble(&ok);
  return ok && std::isfinite(value);
}

// A tune value is "on" when it reads as a non-zero number; anything unreadable counts as 0.
bool isSet(const QString& value) {
  bool ok = false;
  const double number = value.toDouble(&ok);
  return ok && number != 0;
}

QTreeWidgetItem* treeItem(const QString& text, const QString& key, const QString& tag) {
  auto* item = new QTreeWidgetItem(QStringList{text});
  item->setData(0, kKeyRole, key);
  item->setData(0, kTagRole, tag);
  return item;
}

QRadioButton* radio(const QString& text, const QString& name, int id, QButtonGroup* group,
                    QWidget* parent) {
  auto* button = new QRadioButton(text, parent);
  button->setObjectName(name);
  group->addButton(button, id);
  return button;
}

// A choice is named with its caption ("中频 负"): on its own, "负" says nothing.
void nameChoices(QLabel* caption, QButtonGroup* group) {
  for (QAbstractButton* button : group->buttons())
    button->setAccessibleName(captionName(caption->text()) + QLatin1Char(' ') +
                              button->text().trimmed());
}

}  // namespace

frmMODE::frmMODE(TuneValues& tune, Bands& bands, int mainModel, const QString& bandLabelText,
                 IniFile& settings, QWidget* parent)
    : QDialog(parent), tune_(tune), bands_(bands), settings_(settings) {
  setObjectName(QStringLiteral("frmMODE"));
  setWindowTitle(tr("调整模式"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  tremode_ = new QTreeWidget(this);
  tremode_->setObjectName(QStringLiteral("tremode"));
  tremode_->setHeaderHidden(true);
  tremode_->setFixedWidth(160);
  tremode_->setMinimumHeight(220);
  tremode_->setAccessibleName(tr("调整项"));

  modelLabel_ = new QLabel(fieldCaption(u"model"), this);
  for (int i = 0; i < 2; ++i) {
    cboPCmodel_[i] = new QComboBox(this);
    cboPCmodel_[i]->setObjectName(QStringLiteral("cboPCmodel_%1").arg(i));
    cboPCmodel_[i]->addItems(modelNames());
    cboPCmodel_[i]->setCurrentIndex(-1);
  }
  cboPCmodel_[1]->setEnabled(false);

  Text1_ = new QLineEdit(this);
  Text1_->setObjectName(QStringLiteral("Text1"));
  Text2_ = new QLineEdit(this);
  Text2_->setObjectName(QStringLiteral("Text2"));
  Option1_ = new QButtonGroup(this);
  optJT_ = new QButtonGroup(this);

  freQuent_ = new QLabel(this);
  freQuent_->setObjectName(QStringLiteral("freQuent"));
  cboFrequent_ = new QComboBox(this);
  cboFrequent_->setObjectName(QStringLiteral("cboFrequent"));
  cboFrequent_->setEditable(true);
  // Typed text never becomes an item: only a picked item's position is a trim.
  cboFrequent_->setInsertPolicy(QComboBox::NoInsert);
  cboFrequent_->addItems(powerTrimOptions());

  layOut();

  connect(cboPCmodel_[0], &QComboBox::currentIndexChanged, this, &frmMODE::cboPCmodel_Click);
  for (QLineEdit* box : {Text1_, Text2_})
    connect(box, &QLineEdit::textChanged, this, [this, box] { boxChanged(box); });
  connect(tremode_, &QTreeWidget::itemClicked, this, &frmMODE::tremode_NodeClick);

  // Picking the model fills the band boxes, so the lists start empty and are set only now.
  buildTree();
  for (QComboBox* list : cboPCmodel_) list->setCurrentIndex(mainModel);
  freQuent_->setText(bandLabelText);
  cboFrequent_->setCurrentIndex(tune_.sPower);
  optJT_->button(isSet(tune_.jtlx) ? 1 : 0)->setChecked(true);
  Option1_->button(isSet(tune_.bjlx) ? 1 : 0)->setChecked(true);
  showPage(Page::Frequency);

  resize(sizeOnScreen(this, sizeHint()));  // as large as it needs, up to its screen's size
  centreOnScreen(this);
}

void frmMODE::buildTree() {
  auto* items = treeItem(tr("调整项"), QStringLiteral("node1"), QString());
  items->addChild(treeItem(tr("频率调整"), QStringLiteral("frequent"), QStringLiteral("1")));
  items->addChild(treeItem(tr("功率调整"), QStringLiteral("power"), QStringLiteral("2")));
  tremode_->addTopLevelItem(items);
  tremode_->addTopLevelItem(treeItem(tr("退出调整"), QStringLiteral("node2"), QStringLiteral("3")));
  items->setExpanded(true);
}

QWidget* frmMODE::buildCrystalFrame() {
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("fraJT"));
  frame->setFrameShape(QFrame::StyledPanel);
  auto* row = new QHBoxLayout(frame);
  auto* caption = new QLabel(fieldCaption(u"tune.crystal"), frame);
  row->addWidget(caption);
  row->addWidget(radio(QStringLiteral("13MHz "), QStringLiteral("optJT_0"), 0, optJT_, frame));
  row->addWidget(radio(QStringLiteral("14.4MHz"), QStringLiteral("optJT_1"), 1, optJT_, frame));
  row->addStretch();
  nameChoices(caption, optJT_);
  return frame;
}

void frmMODE::layOut() {
  // Each page has rows of its own, so the hidden page's rows collapse; only the model row,
  // with its one "机型：" label, is shared.
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(10);
  int labelWidth = 0;
  const auto addRow = [&](QLabel* label, const QList<QWidget*>& fields, int spacing) {
    auto* cell = new QHBoxLayout;
    cell->setSpacing(spacing);
    for (QWidget* field : fields) cell->addWidget(field);
    cell->addStretch();
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addLayout(cell, row, 1);
    labelWidth = std::max(labelWidth, label->sizeHint().width());
    return label;
  };
  const auto caption = [this](const QString& text) { return new QLabel(text, this); };
  const auto arrows = [this](QLineEdit* box, const QString& name) {
    box->setFixedWidth(64);
    auto* upDown = new UpDownArrows(box, kLowestMHz, kHighestMHz, this);
    upDown->setObjectName(name);
    return upDown;
  };

  for (QComboBox* list : cboPCmodel_) list->setMinimumWidth(150);
  grid->addWidget(modelLabel_, 0, 0);
  auto* models = new QHBoxLayout;
  models->addWidget(cboPCmodel_[0]);
  models->addWidget(cboPCmodel_[1]);
  models->addStretch();
  grid->addLayout(models, 0, 1);

  auto* upDown1 = arrows(Text1_, QStringLiteral("UpDown1"));
  auto* upDown2 = arrows(Text2_, QStringLiteral("UpDown2"));
  auto* positive =
      radio(valueText(ifSideTexts()[0]), QStringLiteral("Option1_0"), 0, Option1_, this);
  auto* negative =
      radio(valueText(ifSideTexts()[1]), QStringLiteral("Option1_1"), 1, Option1_, this);
  QLabel* high = addRow(caption(tr("高端频率(MHz)：")), {Text1_, upDown1}, 0);
  QLabel* low = addRow(caption(tr("低端频率(MHz)：")), {Text2_, upDown2}, 0);
  QLabel* ifSide = addRow(caption(fieldCaption(u"tune.if_side")), {positive, negative}, 12);
  frequencyPage_ << cboPCmodel_[0] << high << Text1_ << upDown1 << low << Text2_ << upDown2
                 << ifSide << positive << negative;
  nameAfterLabel(cboPCmodel_[0], modelLabel_);
  cboPCmodel_[1]->setAccessibleName(captionName(modelLabel_->text()));
  nameAfterLabel(Text1_, high);
  nameAfterLabel(Text2_, low);
  nameChoices(ifSide, Option1_);
  QWidget* crystal = buildCrystalFrame();
  grid->addWidget(crystal, grid->rowCount(), 0, 1, 2);
  frequencyPage_ << crystal;

  cboFrequent_->setMinimumWidth(90);
  QLabel* band = addRow(caption(tr("频率：")), {freQuent_}, 0);
  QLabel* trim = addRow(caption(fieldCaption(u"tune.power_trim")), {cboFrequent_}, 0);
  nameAfterLabel(cboFrequent_, trim);
  powerPage_ << cboPCmodel_[1] << band << freQuent_ << trim << cboFrequent_;

  // The field column stays put when the pages, with captions of other widths, switch.
  grid->setColumnMinimumWidth(0, std::max(labelWidth, modelLabel_->sizeHint().width()));
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(grid->rowCount(), 1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(tremode_);
  layout->addSpacing(8);
  layout->addLayout(grid, 1);
  setMinimumWidth(440);
}

void frmMODE::showPage(Page page) {
  for (QWidget* w : frequencyPage_) w->setVisible(page == Page::Frequency);
  for (QWidget* w : powerPage_) w->setVisible(page == Page::Power);
}

void frmMODE::tremode_NodeClick(QTreeWidgetItem* item) {
  if (!item) return;
  const QString tag = item->data(0, kTagRole).toString();
  if (tag == QLatin1String("1")) {
    showPage(Page::Frequency);
  } else if (tag == QLatin1String("2")) {
    showPage(Page::Power);
  } else if (tag == QLatin1String("3")) {
    if (commit(true)) accept();
  }
}

void frmMODE::cboPCmodel_Click(int position) {
  if (position < 0) return;
  // Characters 1-3 are the low limit and 10-12 the high one; a short band gives short texts.
  const QString band = bandTextOf(bands_, position);
  Text2_->setText(band.left(3));
  Text1_->setText(band.mid(9, 3));
}

void frmMODE::boxChanged(QLineEdit* box) {
  if (isNumber(box->text())) return;
  prompts::message(this, tr("请输入数字"), QString(), prompts::Icon::None);
  // Emptying is the answer to the bad text, not a new edit to complain about.
  const QSignalBlocker quiet(box);
  box->clear();
}

int frmMODE::trimPosition() const {
  const int position = cboFrequent_->currentIndex();
  return position >= 0 && cboFrequent_->itemText(position) == cboFrequent_->currentText() ? position
                                                                                          : -1;
}

bool frmMODE::commit(bool store) {
  // A band outside whole MHz 100..999 with low <= high would make every typed frequency fail:
  // "退出调整" refuses it and keeps the window open; the close box drops it.
  const int position = cboPCmodel_[0]->currentIndex();
  std::optional<QString> band;
  if (position >= 0 && !Text1_->text().isEmpty() && !Text2_->text().isEmpty()) {
    band = bandTextFromLimits(Text2_->text(), Text1_->text());
    if (!band && store) {
      prompts::message(this, tr("请输入正确的频段"), tr("错误"), prompts::Icon::Critical);
      return false;
    }
  }
  tune_.jtlx = optJT_->checkedId() == 0 ? QStringLiteral("0") : QStringLiteral("1");
  tune_.bjlx = Option1_->checkedId() == 0 ? QStringLiteral("0") : QStringLiteral("1");
  if (band) {
    bands_[radioModels()[position].bandSlot] = *band;
    if (store) {
      // The band stays in use for this run even when the file cannot take it.
      if (const auto failure = writeBand(settings_, position, *band))
        prompts::message(this,
                         tr("频段未能保存到文件“%1”：%2")
                             .arg(QDir::toNativeSeparators(settings_.path()), *failure),
                         tr("错误"), prompts::Icon::Critical);
    }
  }
  tune_.sPower = trimPosition();
  return true;
}

void frmMODE::done(int result) {
  commit(false);
  QDialog::done(result);
}

}  // namespace kv
