#include "editor/functionpanel.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/document.h"
#include "exchange/fields.h"
#include "model/radiomodel.h"
#include "model/valuetexts.h"
#include "ui/accessibility.h"

namespace kv {
namespace {

QLabel* addLabel(QGridLayout* grid, int row, const char* name) {
  auto* label = new QLabel(grid->parentWidget());
  label->setObjectName(QString::fromLatin1(name));
  grid->addWidget(label, row, 0);
  return label;
}

QComboBox* addList(QGridLayout* grid, int row, const char* name, const QStringList& items) {
  auto* list = new QComboBox(grid->parentWidget());
  list->setObjectName(QString::fromLatin1(name));
  list->addItems(items);
  // Its entries' width follows their language.
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  grid->addWidget(list, row, 1);
  return list;
}

}  // namespace

FunctionPanel::FunctionPanel(Document& document, QWidget* parent)
    : QWidget(parent), document_(document) {
  auto* fraModel = new QGroupBox(this);
  fraModel->setObjectName(QStringLiteral("fraModel"));
  captions_.append({fraModel, QT_TR_NOOP("机型选择")});
  auto* modelGrid = new QGridLayout(fraModel);
  modelLabel_ = addLabel(modelGrid, 0, "lblRadiomodel");
  cboPCmodel_ = addList(modelGrid, 0, "cboPCmodel", modelNames());
  captions_.append({addLabel(modelGrid, 1, "Label5"), QT_TR_NOOP("频率：")});
  label2_ = new QLabel(fraModel);
  label2_->setObjectName(QStringLiteral("Label2"));
  modelGrid->addWidget(label2_, 1, 1);
  modelGrid->setColumnStretch(1, 1);

  auto* fraFunction = new QGroupBox(this);
  fraFunction->setObjectName(QStringLiteral("fraFunction"));
  captions_.append({fraFunction, QT_TR_NOOP("功能设置")});
  auto* functionGrid = new QGridLayout(fraFunction);
  // The label and the list of each setting, in the order of settingFields().
  const std::pair<const char*, const char*> names[] = {
      {"lblFuncMoni", "cboFuncMoni"}, {"Label6", "cbosd"},
      {"lblFuncTOT", "cboFuncTOT"},   {"lblFuncSQL", "cboFuncSQL"},
      {"lblFuncSave", "cboFuncSave"}, {"Label1", "cboYYBP"}};
  int n = 0;
  for (const SettingField& setting : settingFields()) {
    const auto [label, name] = names[n];
    const QStringList values = setting.options();
    QComboBox* list = addList(functionGrid, n, name, values);
    settings_.append({addLabel(functionGrid, n++, label), list, setting.field,
                      QStringLiteral("settings.%1").arg(QLatin1String(setting.key)), values});
    const auto field = setting.field;
    connect(list, &QComboBox::currentIndexChanged, this, [this, field](int index) {
      if (index < 0 || refreshing_) return;
      RadioData after = document_.data();
      after.settings.*field = index;
      document_.change(after);
    });
  }
  functionGrid->setColumnStretch(1, 1);
  functionGrid->setRowStretch(n, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(fraModel);
  layout->addWidget(fraFunction, 1);

  connect(cboPCmodel_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!refreshing_) emit modelChanged(index);
  });
  connect(&document_, &Document::changed, this, &FunctionPanel::refresh);
  showTexts();
  refresh();
}

void FunctionPanel::showTexts() {
  for (const auto& [widget, source] : captions_) {
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
      frame->setTitle(tr(source));
    else
      static_cast<QLabel*>(widget)->setText(tr(source));
  }
  modelLabel_->setText(fieldCaption(u"model"));
  nameAfterLabel(cboPCmodel_, modelLabel_);
  for (const Setting& s : settings_) {
    s.label->setText(fieldCaption(s.name));
    nameAfterLabel(s.list, s.label);
    for (int i = 0; i < s.values.size(); ++i) s.list->setItemText(i, valueText(s.values[i]));
  }
}

void FunctionPanel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) showTexts();
  QWidget::changeEvent(event);
}

void FunctionPanel::refresh() {
  const RadioData& data = document_.data();
  refreshing_ = true;
  cboPCmodel_->setCurrentIndex(data.settings.model);
  for (const Setting& s : settings_) s.list->setCurrentIndex(data.settings.*s.field);
  refreshing_ = false;
}

void FunctionPanel::setBandText(const QString& text) { label2_->setText(text); }
QString FunctionPanel::bandText() const { return label2_->text(); }

}  // namespace kv
