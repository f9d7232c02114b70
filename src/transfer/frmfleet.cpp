#include "transfer/frmfleet.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "image/backups.h"
#include "link/fleetrunner.h"
#include "link/jobrecord.h"
#include "transfer/transfercommands.h"
#include "ui/prompts.h"
#include "ui/usersettings.h"

namespace kv {
namespace {

enum Column { kDevice, kDescription, kUsbId, kProgress, kResult };
constexpr int kFullBar = 128;
constexpr int kColumnGap = 16;

}  // namespace

// One line's observer, called from that line's thread only: what it shows goes to the row
// as queued signals, and its messages go into the row instead of a box.
class frmFleet::Line : public TransferObserver {
 public:
  Line(frmFleet& dialog, int row) : dialog_(dialog), row_(row) {}

  void setStep(const QString& step) override {
    step_ = step;
    count_ = 0;  // each transfer fills the bar anew
    emit dialog_.lineShows(row_, step);
    emit dialog_.lineProgress(row_, 0);
  }
  void setCaption(const QString& caption) override {
    emit dialog_.lineShows(row_,
                           step_.isEmpty() ? caption : step_ + QStringLiteral("  ") + caption);
  }
  void setProgress(int value) override {
    // The link fills the bar at the end of every transfer, one that failed too; a row's bar
    // only goes on from where it stands, so that it shows where a line stopped.
    if (value > count_ + 1) return;
    count_ = value;
    emit dialog_.lineProgress(row_, value);
  }
  void message(const QString& text, const QString&, MessageIcon) override {
    emit dialog_.lineShows(row_, text);
  }
  bool cancelled() override { return dialog_.cancelled_; }

 private:
  frmFleet& dialog_;
  const int row_;
  QString step_;
  int count_ = 0;
};

frmFleet::frmFleet(CheckedData checkedData, QWidget* parent)
    : QDialog(parent),
      checkedData_(std::move(checkedData)),
      lstPorts_(new QTreeWidget(this)),
      chkReadFirst_(new QCheckBox(tr("写频前先备份"), this)),
      chkVerify_(new QCheckBox(tr("写频后校验"), this)),
      cmdStart_(new QPushButton(tr("开始"), this)),
      cmdCancel_(new QPushButton(tr("取消"), this)) {
  setObjectName(QStringLiteral("frmFleet"));
  setWindowTitle(tr("批量写频"));
  lstPorts_->setObjectName(QStringLiteral("lstPorts"));
  lstPorts_->setRootIsDecorated(false);
  lstPorts_->setSelectionMode(QAbstractItemView::NoSelection);
  lstPorts_->setFocusPolicy(Qt::NoFocus);
  lstPorts_->setHeaderLabels(
      {tr("设备"), tr("描述"), QStringLiteral("USB ID"), tr("进度"), tr("结果")});

  const QList<PortInfo> ports = listPorts();
  const QList<int> remembered = UserSettings().fleetPorts(ports);
  for (int i = 0; i < ports.size(); ++i) {
    const PortInfo& port = ports[i];
    auto* item = new QTreeWidgetItem(
        lstPorts_, {QString(), port.description, port.isUsb() ? port.usbId() : QString()});
    auto* tick = new QCheckBox(port.device);
    tick->setObjectName(QStringLiteral("chkPort%1").arg(i));
    tick->setChecked(remembered.contains(i));
    connect(tick, &QCheckBox::toggled, this, &frmFleet::updateStart);
    auto* bar = new QProgressBar;
    bar->setRange(0, kFullBar);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setMaximumHeight(tick->sizeHint().height());
    lstPorts_->setItemWidget(item, kDevice, tick);
    lstPorts_->setItemWidget(item, kProgress, bar);
    rows_.append({port, tick, bar});
  }
  for (int column : {kDevice, kDescription, kUsbId}) {
    lstPorts_->resizeColumnToContents(column);
    lstPorts_->setColumnWidth(column, lstPorts_->columnWidth(column) + kColumnGap);
  }
  lstPorts_->setColumnWidth(kProgress, 160);
  // The result column holds a failure part way through a write (a rarer, longer one shows in
  // full in its tool tip); the list shows every column and up to eight ports before it scrolls.
  lstPorts_->setColumnWidth(kResult,
                            fontMetrics().horizontalAdvance(linktext::shown(linktext::kCommError) +
                                                            jobtext::shown(jobtext::kMaybeMixed)) +
                                2 * kColumnGap);
  const int frame = 2 * lstPorts_->frameWidth();
  int width = frame + lstPorts_->verticalScrollBar()->sizeHint().width();
  for (int column = kDevice; column <= kResult; ++column) width += lstPorts_->columnWidth(column);
  const int rowHeight = rows_.isEmpty() ? fontMetrics().height() : lstPorts_->sizeHintForRow(0);
  lstPorts_->setMinimumSize(width, frame + lstPorts_->header()->sizeHint().height() +
                                       rowHeight * std::clamp(int(rows_.size()), 3, 8));

  // The Write command's own options: one setting for both.
  chkReadFirst_->setObjectName(QStringLiteral("chkReadFirst"));
  chkVerify_->setObjectName(QStringLiteral("chkVerify"));
  const UserSettings settings;
  chkReadFirst_->setChecked(settings.readFirst());
  chkVerify_->setChecked(settings.verifyAfterWrite());
  connect(chkReadFirst_, &QCheckBox::toggled, this,
          [](bool on) { UserSettings().setReadFirst(on); });
  connect(chkVerify_, &QCheckBox::toggled, this,
          [](bool on) { UserSettings().setVerifyAfterWrite(on); });

  cmdStart_->setObjectName(QStringLiteral("cmdStart"));
  cmdStart_->setDefault(true);
  cmdStart_->setMinimumWidth(80);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel_->setMinimumWidth(80);
  connect(cmdStart_, &QPushButton::clicked, this, &frmFleet::start);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmFleet::reject);

  connect(this, &frmFleet::lineShows, this, [this](int row, const QString& text) {
    lstPorts_->topLevelItem(row)->setText(kResult, text);
  });
  connect(this, &frmFleet::lineProgress, this,
          [this](int row, int value) { rows_[row].bar->setValue(value); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(chkReadFirst_);
  buttons->addSpacing(12);
  buttons->addWidget(chkVerify_);
  buttons->addStretch();
  buttons->addWidget(cmdStart_);
  buttons->addWidget(cmdCancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstPorts_, 1);
  layout->addLayout(buttons);
  updateStart();
}

frmFleet::~frmFleet() {
  // The lines report by queued signals only, so waiting for them here cannot block them.
  cancelled_ = true;
  if (runner_) runner_->wait();
}

QString frmFleet::result(int row) const { return lstPorts_->topLevelItem(row)->text(kResult); }

void frmFleet::reject() {
  if (!running_) {
    QDialog::reject();
    return;
  }
  if (cancelled_) return;  // asked and confirmed already; the lines are ending
  if (!prompts::message(this, tr("确定要取消吗"), tr("提示"), prompts::Icon::None,
                        prompts::Buttons::OkCancel))
    return;
  if (!running_) return;  // every line ended while the question was open
  cancelled_ = true;
  cmdCancel_->setEnabled(false);
}

void frmFleet::updateStart() {
  const bool ticked =
      std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return row.tick->isChecked(); });
  cmdStart_->setEnabled(!running_ && ticked);
}

void frmFleet::setIdle(bool idle) {
  running_ = !idle;
  for (const Row& row : rows_) row.tick->setEnabled(idle);
  chkReadFirst_->setEnabled(idle);
  chkVerify_->setEnabled(idle);
  cmdCancel_->setEnabled(true);
  updateStart();
}

void frmFleet::start() {
  const std::optional<RadioData> data = checkedData_();
  if (!data || !confirmWrite(this)) return;
  QList<PortInfo> ticked;
  QList<FleetPort> ports;
  runRows_.clear();
  lines_.clear();
  for (int i = 0; i < rows_.size(); ++i) {
    QTreeWidgetItem* item = lstPorts_->topLevelItem(i);
    item->setText(kResult, QString());
    item->setToolTip(kResult, QString());
    item->setForeground(kResult, palette().text());
    rows_[i].bar->setValue(0);
    if (!rows_[i].tick->isChecked()) continue;
    ticked << rows_[i].port;
    runRows_ << i;
    lines_.push_back(std::make_unique<Line>(*this, i));
    ports.append({rows_[i].port.device, lines_.back().get()});
  }
  UserSettings().setFleetPorts(ticked);
  cancelled_ = false;
  setIdle(false);

  // No one watches a line to press Cancel after its time-out: the time-out ends it.
  LinkOptions options = linkOptions();
  options.timeoutEndsWaits = true;
  const WriteChecks checks{chkReadFirst_->isChecked(), chkVerify_->isChecked()};
  runner_.reset(QThread::create([this, ports, options, checks, data = *data] {
    outcomes_ = runFleet(ports, backupFolder(), options,
                         [&](RadioJob& job) { return job.write(data, checks); });
  }));
  connect(runner_.get(), &QThread::finished, this, &frmFleet::showOutcomes);
  runner_->start();
}

void frmFleet::showOutcomes() {
  runner_->wait();
  for (int i = 0; i < runRows_.size(); ++i) {
    const JobOutcome& outcome = outcomes_[i];
    QTreeWidgetItem* item = lstPorts_->topLevelItem(runRows_[i]);
    // A backup not kept is worth a word beside the result; the fields that differ are many.
    const QString text = (QStringList{outcome.summary} + outcome.backupWarnings)
                             .join(tr("；", "between the sentences of a list"));
    item->setText(kResult, text);
    QStringList tip{text};
    for (const QString& line : outcome.differences) tip << differenceText(line);
    item->setToolTip(kResult, tip.join('\n'));
    item->setForeground(kResult, outcome.ok ? palette().text() : QBrush(Qt::red));
  }
  QList<JobEntry> entries;
  for (int i = 0; i < runRows_.size(); ++i) {
    const PortInfo& port = rows_[runRows_[i]].port;
    entries << jobEntry(QStringLiteral("write"), outcomes_[i], port.device, port);
  }
  recordJobs(parentWidget(), entries);
  setIdle(true);
  emit runFinished();
}

}  // namespace kv
