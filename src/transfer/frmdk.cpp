#include "transfer/frmdk.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "transfer/linkcheckcommand.h"
#include "ui/prompts.h"
#include "ui/screenfit.h"

namespace kv {
namespace {

constexpr int kColumnGap = 16;
constexpr int kListWidth = 560;

// "COM1  /dev/ttyUSB0 — USB-Serial CH340": the caption, then what stands behind it.
// A port with that COM name shows the caption once: "COM3 — USB-SERIAL CH340 (COM3)".
QString buttonText(int button, const QList<PortInfo>& ports) {
  const QString caption = QStringLiteral("COM%1").arg(button + 1);
  const auto index = buttonPort(ports, button);
  if (!index) return caption;
  const PortInfo& port = ports[*index];
  const QString device =
      port.device == caption ? caption : caption + QStringLiteral("  ") + port.device;
  return port.description.isEmpty() ? device : device + QStringLiteral(" — ") + port.description;
}

// What a screen reader says of a button: its port as the status bar names it
// ("COM1：/dev/ttyUSB0"), then what stands behind it.
QString buttonName(int button, const QList<PortInfo>& ports) {
  const QString caption = QStringLiteral("COM%1").arg(button + 1);
  const auto index = buttonPort(ports, button);
  if (!index) return QCoreApplication::translate("kv::PortChoice", "%1：没有此端口").arg(caption);
  const PortInfo& port = ports[*index];
  const QString name =
      QCoreApplication::translate("kv::PortChoice", "%1：%2").arg(caption, port.device);
  return port.description.isEmpty() ? name : name + QStringLiteral(" — ") + port.description;
}

}  // namespace

frmDK::frmDK(const PortChoice& current, QWidget* parent)
    : QDialog(parent),
      group_(new QButtonGroup(this)),
      relistTimer_(new QTimer(this)),
      ports_(listPorts()),
      choice_(current) {
  setObjectName(QStringLiteral("frmDK"));
  setWindowTitle(tr("端口选择"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 12);
  layout->setSpacing(6);
  for (int i = 0; i < kButtonCount; ++i) {
    auto* button = new QRadioButton(this);
    button->setObjectName(QStringLiteral("optDK%1").arg(i));
    group_->addButton(button, i);
    connect(button, &QRadioButton::clicked, this, [this, i] {
      if (const auto index = buttonPort(ports_, i)) choose(*index);
    });
    layout->addWidget(button);
    optDK_[i] = button;
  }
  // Made after the port buttons, in the order they show: Tab goes in the order of making.
  lstPorts_ = new QTreeWidget(this);
  cmdCheck_ = new QPushButton(tr("检测(&C)"), this);
  cmdQD_ = new QPushButton(tr("确定"), this);

  auto* other = new QLabel(tr("其他端口"), this);
  other->setBuddy(lstPorts_);
  layout->addSpacing(8);
  layout->addWidget(other);
  lstPorts_->setObjectName(QStringLiteral("lstPorts"));
  lstPorts_->setAccessibleName(tr("其他端口"));
  lstPorts_->setRootIsDecorated(false);
  lstPorts_->setAllColumnsShowFocus(true);
  lstPorts_->setHeaderLabels({tr("设备"), tr("描述"), tr("制造商"), QStringLiteral("USB ID")});
  lstPorts_->setAlternatingRowColors(true);
  lstPorts_->setMinimumSize(kListWidth, 150);
  connect(lstPorts_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) choose(lstPorts_->indexOfTopLevelItem(item));
  });
  layout->addWidget(lstPorts_, 1);

  cmdQD_->setObjectName(QStringLiteral("cmdQD"));
  cmdQD_->setDefault(true);
  cmdQD_->setMinimumWidth(80);
  connect(cmdQD_, &QPushButton::clicked, this, &frmDK::confirm);
  cmdCheck_->setObjectName(QStringLiteral("cmdCheck"));
  cmdCheck_->setAccessibleName(tr("检测所选端口的连接"));
  cmdCheck_->setMinimumWidth(80);
  connect(cmdCheck_, &QPushButton::clicked, this, [this] {
    if (const auto place = choice_.placeIn(ports_)) runCheckCommand(this, ports_[*place].device);
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdCheck_);
  buttons->addSpacing(12);
  buttons->addWidget(cmdQD_);
  buttons->addStretch();
  layout->addSpacing(8);
  layout->addLayout(buttons);

  showPorts();
  // Opening selects the current port as a click on it would.
  if (const auto place = choice_.placeIn(ports_)) choose(*place);

  // The system tells of no plugged cable, so the list is looked at again while the dialog
  // is open.
  relistTimer_->setInterval(kRelistMs);
  connect(relistTimer_, &QTimer::timeout, this, &frmDK::relist);
  relistTimer_->start();
}

void frmDK::relist() {
  QList<PortInfo> ports = listPorts();
  if (ports == ports_) return;
  ports_ = std::move(ports);
  if (const auto place = choice_.placeIn(ports_)) choice_.index = *place;
  showPorts();
}

// Shows the listed ports on the buttons and in the list, the chosen one selected; a chosen
// port that has gone leaves nothing selected.
void frmDK::showPorts() {
  const auto place = choice_.placeIn(ports_);
  const QSignalBlocker blocker(lstPorts_);
  group_->setExclusive(false);
  for (int i = 0; i < kButtonCount; ++i) {
    optDK_[i]->setText(buttonText(i, ports_));
    optDK_[i]->setAccessibleName(buttonName(i, ports_));
    const auto index = buttonPort(ports_, i);
    optDK_[i]->setEnabled(index.has_value());
    optDK_[i]->setChecked(place && place == index);
  }
  group_->setExclusive(true);
  cmdCheck_->setEnabled(place.has_value());
  lstPorts_->clear();
  for (const PortInfo& port : ports_) {
    lstPorts_->addTopLevelItem(new QTreeWidgetItem(
        {port.device, port.description, port.manufacturer, port.isUsb() ? port.usbId() : ""}));
  }
  // Each column as wide as its longest text and a gap; the last one takes the rest.
  for (int column = 0; column < lstPorts_->columnCount() - 1; ++column) {
    lstPorts_->resizeColumnToContents(column);
    lstPorts_->setColumnWidth(column, lstPorts_->columnWidth(column) + kColumnGap);
  }
  // As wide as its columns (larger text makes them wider), as far as the screen allows.
  const int last = lstPorts_->columnCount() - 1;
  int lastWidth = lstPorts_->header()->sectionSizeHint(last);
  for (const PortInfo& port : ports_)
    lastWidth =
        std::max(lastWidth, lstPorts_->fontMetrics().horizontalAdvance(port.usbId()) + kColumnGap);
  int width = 2 * lstPorts_->frameWidth() + lastWidth;
  for (int column = 0; column < last; ++column) width += lstPorts_->columnWidth(column);
  lstPorts_->setMinimumWidth(
      std::clamp(width, kListWidth, std::max(kListWidth, screenWidthForList(this))));
  if (place) lstPorts_->setCurrentItem(lstPorts_->topLevelItem(*place));
}

void frmDK::choose(int index) {
  choice_ = PortChoice::of(ports_, index);
  cmdCheck_->setEnabled(true);
  const QSignalBlocker blocker(lstPorts_);
  if (const auto button = portButton(ports_, index)) {
    optDK_[*button]->setChecked(true);
  } else if (QAbstractButton* checked = group_->checkedButton()) {
    group_->setExclusive(false);
    checked->setChecked(false);
    group_->setExclusive(true);
  }
  lstPorts_->setCurrentItem(lstPorts_->topLevelItem(index));
}

void frmDK::confirm() {
  prompts::message(this, tr("端口转换成%1").arg(portCaption(ports_, choice_.index)), tr("提示"),
                   prompts::Icon::Information);
  accept();
}

}  // namespace kv
