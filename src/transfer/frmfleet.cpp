#include "transfer/frmfleet.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "image/backups.h"
#include "link/fleetrunner.h"
#include "link/jobrecord.h"
#include "transfer/frmwait.h"
#include "transfer/transfercommands.h"
#include "ui/accessibility.h"
#include "ui/screenfit.h"
#include "ui/usersettings.h"
#include "ui/writeoption.h"

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
    emit dialog_.lineShows(row_, jobtext::stepLine(step_, caption));
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
      chkKeepTune_(new QCheckBox(tr("保留每台对讲机原有的调整值"), this)),
      chkVerify_(new QCheckBox(tr("写频后校验"), this)),
      chkAnyModel_(new QCheckBox(tr("允许写入不同型号的对讲机"), this)),
      cmdRetry_(new QPushButton(tr("重写失败的"), this)),
      cmdStart_(new QPushButton(tr("开始"), this)),
      cmdCancel_(new QPushButton(tr("取消"), this)),
      relistTimer_(new QTimer(this)),
      listed_(listPorts()) {
  setObjectName(QStringLiteral("frmFleet"));
  setWindowTitle(tr("批量写频"));
  lstPorts_->setObjectName(QStringLiteral("lstPorts"));
  lstPorts_->setAccessibleName(tr("端口"));
  lstPorts_->setRootIsDecorated(false);
  lstPorts_->setSelectionMode(QAbstractItemView::NoSelection);
  lstPorts_->setHeaderLabels(
      {tr("设备"), tr("描述"), QStringLiteral("USB ID"), tr("进度"), tr("结果")});

  const QList<int> remembered = UserSettings().fleetPorts(listed_);
  for (int i = 0; i < listed_.size(); ++i) addRow(listed_[i], remembered.contains(i));
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
  // Past what the screen can show (large text) the list scrolls sideways.
  width = std::min(width, screenWidthForList(this));
  lstPorts_->setMinimumSize(width, frame + lstPorts_->header()->sizeHint().height() +
                                       rowHeight * std::clamp(int(rows_.size()), 3, 8));
  connect(lstPorts_, &QTreeWidget::itemChanged, this, &frmFleet::updateButtons);

  // The Write command's own options, and the batch's.
  chkReadFirst_->setObjectName(QStringLiteral("chkReadFirst"));
  chkReadFirst_->setAccessibleName(tr("写频前先备份"));
  WriteOption::readFirst().bind(chkReadFirst_);
  chkVerify_->setObjectName(QStringLiteral("chkVerify"));
  chkVerify_->setAccessibleName(tr("写频后校验"));
  WriteOption::verify().bind(chkVerify_);
  chkKeepTune_->setObjectName(QStringLiteral("chkKeepTune"));
  chkKeepTune_->setAccessibleName(tr("保留每台对讲机原有的调整值"));
  chkKeepTune_->setChecked(UserSettings().keepTune());
  connect(chkKeepTune_, &QCheckBox::toggled, this, [](bool on) { UserSettings().setKeepTune(on); });
  chkAnyModel_->setObjectName(QStringLiteral("chkAnyModel"));
  chkAnyModel_->setAccessibleName(tr("允许写入不同型号的对讲机"));

  cmdRetry_->setObjectName(QStringLiteral("cmdRetry"));
  cmdRetry_->setAccessibleName(tr("重写失败的"));
  cmdStart_->setObjectName(QStringLiteral("cmdStart"));
  cmdStart_->setAccessibleName(tr("开始"));
  cmdStart_->setDefault(true);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel_->setAccessibleName(tr("取消"));
  for (QPushButton* button : {cmdRetry_, cmdStart_, cmdCancel_}) button->setMinimumWidth(80);
  connect(cmdRetry_, &QPushButton::clicked, this, &frmFleet::retry);
  connect(cmdStart_, &QPushButton::clicked, this, &frmFleet::start);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmFleet::reject);

  connect(this, &frmFleet::lineShows, this,
          [this](int row, const QString& text) { rows_[row].item->setText(kResult, text); });
  connect(this, &frmFleet::lineProgress, this,
          [this](int row, int value) { rows_[row].bar->setValue(value); });

  auto* options = new QGridLayout;
  options->setHorizontalSpacing(12);
  options->addWidget(chkReadFirst_, 0, 0);
  options->addWidget(chkKeepTune_, 0, 1);
  options->addWidget(chkVerify_, 1, 0);
  options->addWidget(chkAnyModel_, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addLayout(options);
  buttons->addStretch();
  for (QPushButton* button : {cmdRetry_, cmdStart_, cmdCancel_})
    buttons->addWidget(button, 0, Qt::AlignBottom);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstPorts_, 1);
  layout->addLayout(buttons);
  // Large text on a small screen: the buttons go below the options.
  if (buttons->sizeHint().width() > screenWidthForList(this))
    buttons->setDirection(QBoxLayout::TopToBottom);
  updateButtons();

  // The system tells of no plugged cable, so the ports are looked at again while it is open.
  relistTimer_->setInterval(kRelistMs);
  connect(relistTimer_, &QTimer::timeout, this, &frmFleet::relist);
  relistTimer_->start();
}

frmFleet::~frmFleet() {
  // The lines report by queued signals only, so waiting for them here cannot block them.
  cancelled_ = true;
  if (runner_) runner_->wait();
}

void frmFleet::addRow(const PortInfo& port, bool tick) {
  auto* item = new QTreeWidgetItem(
      lstPorts_, {port.device, port.description, port.isUsb() ? port.usbId() : QString()});
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
  item->setCheckState(kDevice, tick ? Qt::Checked : Qt::Unchecked);
  auto* bar = new QProgressBar;
  bar->setObjectName(QStringLiteral("pgbPort%1").arg(rows_.size()));
  bar->setAccessibleName(tr("%1 的写频进度").arg(port.device));
  bar->setRange(0, kFullBar);
  bar->setValue(0);
  bar->setTextVisible(false);
  bar->setMaximumHeight(std::max(lstPorts_->fontMetrics().height(),
                                 style()->pixelMetric(QStyle::PM_IndicatorHeight)) +
                        2);
  lstPorts_->setItemWidget(item, kProgress, bar);
  rows_.append({port, item, bar});
}

QTreeWidgetItem* frmFleet::portRow(int row) const { return rows_.at(row).item; }

QString frmFleet::result(int row) const { return rows_.at(row).item->text(kResult); }

bool frmFleet::ticked(const Row& row) const {
  return row.listed && row.item->checkState(kDevice) == Qt::Checked;
}

// Each row finds its port again by what identifies it (a re-plugged cable may have another
// device name); a port that no row has gets one, and a row whose port has gone is greyed.
void frmFleet::relist() {
  if (running_) return;
  QList<PortInfo> ports = listPorts();
  if (ports == listed_) return;
  listed_ = std::move(ports);
  QList<bool> found(listed_.size(), false);
  for (Row& row : rows_) {
    const auto place = findPort(listed_, row.port.identity(), row.port.device);
    row.listed = place && !found[*place];
    if (row.listed) {
      found[*place] = true;
      row.port = listed_[*place];
      row.item->setText(kDevice, row.port.device);
      row.bar->setAccessibleName(tr("%1 的写频进度").arg(row.port.device));
    }
    row.item->setDisabled(!row.listed);
    row.bar->setEnabled(row.listed);
  }
  for (int i = 0; i < listed_.size(); ++i)
    if (!found[i]) addRow(listed_[i], false);
  updateButtons();
}

void frmFleet::reject() {
  if (!running_) {
    QDialog::reject();
    return;
  }
  if (cancelled_) return;  // asked and confirmed already; the lines are ending
  if (!confirmStop(this)) return;
  if (!running_) return;  // every line ended while the question was open
  cancelled_ = true;
  cmdCancel_->setEnabled(false);
}

void frmFleet::updateButtons() {
  const auto any = [this](const std::function<bool(const Row&)>& test) {
    return !running_ && std::any_of(rows_.begin(), rows_.end(), test);
  };
  cmdStart_->setEnabled(any([this](const Row& row) { return ticked(row); }));
  cmdRetry_->setEnabled(data_ && any([](const Row& row) { return row.listed && row.failed; }));
}

void frmFleet::setIdle(bool idle) {
  running_ = !idle;
  for (const Row& row : rows_)
    row.item->setFlags(idle ? row.item->flags() | Qt::ItemIsUserCheckable
                            : row.item->flags() & ~Qt::ItemIsUserCheckable);
  for (QCheckBox* option : {chkReadFirst_, chkKeepTune_, chkVerify_, chkAnyModel_})
    option->setEnabled(idle);
  cmdCancel_->setEnabled(true);
  updateButtons();
}

void frmFleet::start() {
  const std::optional<RadioData> data = checkedData_();
  if (!data) return;
  QList<int> rows;
  QList<PortInfo> ports;
  for (int i = 0; i < rows_.size(); ++i) {
    if (!ticked(rows_[i])) continue;
    rows << i;
    ports << rows_[i].port;
  }
  if (!confirmWrite(this, int(rows.size()))) return;
  UserSettings().setFleetPorts(ports);
  data_ = data;
  checks_ = {.readFirst = chkReadFirst_->isChecked(),
             .verify = chkVerify_->isChecked(),
             .keepTune = chkKeepTune_->isChecked(),
             .anyModel = chkAnyModel_->isChecked()};
  for (Row& row : rows_) {
    row.failed = false;
    row.item->setText(kResult, QString());
    row.item->setToolTip(kResult, QString());
    row.bar->setValue(0);
  }
  run(rows);
}

// The rows that did not succeed, written again as the last 开始 wrote them; the others keep
// their results.
void frmFleet::retry() {
  QList<int> rows;
  for (int i = 0; i < rows_.size(); ++i)
    if (rows_[i].listed && rows_[i].failed) rows << i;
  if (rows.isEmpty() || !confirmWrite(this, int(rows.size()))) return;
  for (int i : rows) {
    rows_[i].item->setText(kResult, QString());
    rows_[i].item->setToolTip(kResult, QString());
    rows_[i].bar->setValue(0);
  }
  run(rows);
}

void frmFleet::run(const QList<int>& rows) {
  QList<FleetPort> ports;
  lines_.clear();
  for (int row : rows) {
    rows_[row].failed = false;
    rows_[row].item->setForeground(kResult, palette().text());
    lines_.push_back(std::make_unique<Line>(*this, row));
    // The row shows its result as soon as its radio is done, whatever the others still do.
    ports.append({rows_[row].port.device, lines_.back().get(), [this, row](const JobOutcome& o) {
                    QMetaObject::invokeMethod(
                        this, [this, row, o] { showOutcome(row, o); }, Qt::QueuedConnection);
                  }});
  }
  cancelled_ = false;
  setIdle(false);

  // No one watches a line to press Cancel after its time-out: the time-out ends it.
  LinkOptions options = linkOptions();
  options.timeoutEndsWaits = true;
  runner_.reset(QThread::create([ports, options, checks = checks_, data = *data_] {
    runFleet(ports, backupFolder(), options,
             [&](RadioJob& job) { return job.write(data, checks); });
  }));
  connect(runner_.get(), &QThread::finished, this, &frmFleet::finishRun);
  runner_->start();
}

void frmFleet::showOutcome(int row, const JobOutcome& outcome) {
  Row& shown = rows_[row];
  shown.failed = !outcome.ok;
  // A backup not kept is worth a word beside the result; the fields that differ are many.
  // The words are those of kvprog-cli's "DEVICE: written" lines; a row's result begins a sentence.
  QString text = (QStringList{outcome.summary} + outcome.backupWarnings)
                     .join(tr("；", "between the sentences of a list"));
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  shown.item->setText(kResult, text);
  QStringList tip{text};
  for (const QString& line : outcome.differences)
    tip << differenceText(line, DifferenceSides::WrittenAndRadio);
  shown.item->setToolTip(kResult, tip.join('\n'));
  // A failure in red that keeps 4.5:1 on the list's background, whatever the palette.
  shown.item->setForeground(
      kResult,
      outcome.ok ? palette().text() : QBrush(readableAgainst(Qt::red, palette().base().color())));
  recordJobs(parentWidget(),
             {jobEntry(QStringLiteral("write"), outcome, shown.port.device, shown.port)});
}

void frmFleet::finishRun() {
  runner_->wait();
  setIdle(true);
  emit runFinished();
}

}  // namespace kv
