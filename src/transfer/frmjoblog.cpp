#include "transfer/frmjoblog.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "exchange/csvtext.h"
#include "image/atomicfile.h"
#include "image/backups.h"
#include "ui/prompts.h"
#include "ui/screenfit.h"
#include "ui/usersettings.h"

namespace kv {
namespace {

// The log's fields, as the export lists them.
const char* const kFieldHeadings[] = {QT_TRANSLATE_NOOP("kv::frmJobLog", "时间"),
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "操作"),
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "结果"),
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "端口"),
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "设备"),
                                      "USB ID",
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "序列号"),
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "型号"),
                                      "SHA-256",
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "备份"),
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "校验"),
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "不同"),
                                      QT_TRANSLATE_NOOP("kv::frmJobLog", "原因")};

// The table's columns: the port with its device, the adapter in the port's tool tip, the hash
// shortened, a verify with its differences.
enum Column { kTime, kAction, kOutcome, kPort, kModel, kSha256, kBackup, kVerify, kFailure };
const char* const kColumnHeadings[] = {
    QT_TRANSLATE_NOOP("kv::frmJobLog", "时间"), QT_TRANSLATE_NOOP("kv::frmJobLog", "操作"),
    QT_TRANSLATE_NOOP("kv::frmJobLog", "结果"), QT_TRANSLATE_NOOP("kv::frmJobLog", "端口"),
    QT_TRANSLATE_NOOP("kv::frmJobLog", "型号"), "SHA-256",
    QT_TRANSLATE_NOOP("kv::frmJobLog", "备份"), QT_TRANSLATE_NOOP("kv::frmJobLog", "校验"),
    QT_TRANSLATE_NOOP("kv::frmJobLog", "原因")};
constexpr int kColumnCount = std::size(kColumnHeadings);

// The log's own words as the window says them; a word it does not know shows as it is.
struct Word {
  const char* logged;
  const char* shown;
};
const Word kActions[] = {{"write", QT_TRANSLATE_NOOP("kv::frmJobLog", "写频")},
                         {"read", QT_TRANSLATE_NOOP("kv::frmJobLog", "读频")},
                         {"compare", QT_TRANSLATE_NOOP("kv::frmJobLog", "比较")}};
const Word kOutcomes[] = {{"ok", QT_TRANSLATE_NOOP("kv::frmJobLog", "成功")},
                          {"failed", QT_TRANSLATE_NOOP("kv::frmJobLog", "失败")},
                          {"cancelled", QT_TRANSLATE_NOOP("kv::frmJobLog", "已取消")},
                          {"refused", QT_TRANSLATE_NOOP("kv::frmJobLog", "没有写入")}};
const Word kVerifies[] = {{"ok", QT_TRANSLATE_NOOP("kv::frmJobLog", "相同")},
                          {"differs", QT_TRANSLATE_NOOP("kv::frmJobLog", "不同")}};

template <size_t N>
QString shownWord(const Word (&words)[N], const QString& logged) {
  for (const Word& word : words)
    if (logged == QLatin1String(word.logged)) return frmJobLog::tr(word.shown);
  return logged;
}

// Every field of a line in the window's words, in the order of kFieldHeadings.
QStringList fieldsOf(const JobEntry& entry) {
  const bool verified = !entry.verify.isEmpty();
  return {entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
          shownWord(kActions, entry.action),
          shownWord(kOutcomes, entry.outcome),
          entry.port,
          entry.device,
          entry.usbId,
          entry.serial,
          entry.model,
          entry.sha256,
          entry.backup,
          verified ? shownWord(kVerifies, entry.verify) : QString(),
          verified ? QString::number(entry.differences) : QString(),
          entry.failure};
}

// The hash in the table: enough digits to tell images apart; the whole in its tool tip, the
// filter and the export.
constexpr int kHashShown = 8;

QList<QStandardItem*> rowOf(const JobEntry& entry) {
  const QStringList fields = fieldsOf(entry);
  const QString port = entry.port == entry.device || entry.device.isEmpty()
                           ? entry.port
                           : frmJobLog::tr("%1：%2").arg(entry.port, entry.device);
  QString verify = fields[10];
  if (entry.verify == QLatin1String("differs"))
    verify = frmJobLog::tr("%n 处不同", nullptr, entry.differences);
  const QString hash = entry.sha256.size() > kHashShown
                           ? entry.sha256.left(kHashShown) + QStringLiteral("…")
                           : entry.sha256;
  QList<QStandardItem*> row;
  for (const QString& text :
       {fields[0], fields[1], fields[2], port, fields[7], hash, fields[9], verify, fields[12]})
    row << new QStandardItem(text);
  QStringList adapter;
  for (int field : {5, 6})
    if (!fields[field].isEmpty())
      adapter << frmJobLog::tr("%1：%2").arg(frmJobLog::tr(kFieldHeadings[field]), fields[field]);
  row[kPort]->setToolTip(adapter.join(QLatin1Char('\n')));
  row[kSha256]->setToolTip(entry.sha256);
  row[kFailure]->setToolTip(entry.failure);
  // The filter finds a line by any of its fields, those out of sight too.
  row[kTime]->setData(fields.join(QLatin1Char('\n')), Qt::UserRole);
  return row;
}

}  // namespace

frmJobLog::frmJobLog(OpenBackup openBackup, QWidget* parent, const QString& logPath)
    : QDialog(parent),
      openBackup_(std::move(openBackup)),
      model_(new QStandardItemModel(0, kColumnCount, this)),
      filtered_(new QSortFilterProxyModel(this)),
      txtFilter_(new QLineEdit(this)),
      lstJobs_(new QTableView(this)),
      cmdExport_(new QPushButton(tr("导出…"), this)),
      cmdClose_(new QPushButton(tr("关闭"), this)) {
  setObjectName(QStringLiteral("frmJobLog"));
  setWindowTitle(tr("写频记录"));

  const JobLogRead log = readJobLog(logPath);
  if (log.error) prompts::message(parent, *log.error, tr("提示"), prompts::Icon::Warning);
  entries_ = log.entries;
  std::reverse(entries_.begin(), entries_.end());
  for (int column = 0; column < kColumnCount; ++column)
    model_->setHorizontalHeaderItem(column, new QStandardItem(tr(kColumnHeadings[column])));
  for (const JobEntry& entry : entries_) model_->appendRow(rowOf(entry));

  filtered_->setSourceModel(model_);
  filtered_->setFilterKeyColumn(kTime);
  filtered_->setFilterRole(Qt::UserRole);
  filtered_->setFilterCaseSensitivity(Qt::CaseInsensitive);

  auto* filterLabel = new QLabel(tr("筛选(&F)："), this);
  filterLabel->setBuddy(txtFilter_);
  txtFilter_->setObjectName(QStringLiteral("txtFilter"));
  txtFilter_->setAccessibleName(tr("筛选写频记录"));
  txtFilter_->setClearButtonEnabled(true);
  connect(txtFilter_, &QLineEdit::textChanged, filtered_,
          &QSortFilterProxyModel::setFilterFixedString);

  lstJobs_->setObjectName(QStringLiteral("lstJobs"));
  lstJobs_->setAccessibleName(tr("写频记录"));
  lstJobs_->setModel(filtered_);
  lstJobs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstJobs_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstJobs_->setSelectionMode(QAbstractItemView::SingleSelection);
  lstJobs_->setTabKeyNavigation(false);
  lstJobs_->verticalHeader()->hide();
  lstJobs_->horizontalHeader()->setStretchLastSection(true);
  lstJobs_->resizeColumnsToContents();
  // Every column in sight; a long reason is cut short (its tool tip has it whole), so that the
  // window fits a laptop's screen.
  constexpr int kReasonWidth = 260;
  int width = 2 * lstJobs_->frameWidth() + lstJobs_->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < kFailure; ++column) width += lstJobs_->columnWidth(column);
  // Past what the screen can show (large text) the table scrolls sideways.
  lstJobs_->setMinimumWidth(std::min(
      width + std::min(lstJobs_->columnWidth(kFailure), kReasonWidth), screenWidthForList(this)));
  // A double click, or Enter on the current row.
  connect(lstJobs_, &QAbstractItemView::activated, this, &frmJobLog::openRow);

  cmdExport_->setObjectName(QStringLiteral("cmdExport"));
  cmdExport_->setAccessibleName(tr("导出写频记录"));
  cmdExport_->setAutoDefault(false);
  connect(cmdExport_, &QPushButton::clicked, this, &frmJobLog::exportCsv);
  cmdClose_->setObjectName(QStringLiteral("cmdClose"));
  cmdClose_->setAccessibleName(tr("关闭"));
  cmdClose_->setAutoDefault(false);
  connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

  auto* filter = new QHBoxLayout;
  filter->addWidget(filterLabel);
  filter->addWidget(txtFilter_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdExport_);
  buttons->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filter);
  layout->addWidget(lstJobs_, 1);
  layout->addLayout(buttons);
  setTabOrder(txtFilter_, lstJobs_);
  setTabOrder(lstJobs_, cmdExport_);
  setTabOrder(cmdExport_, cmdClose_);
  resize(sizeHint().width(), 480);
  txtFilter_->setFocus();
}

int frmJobLog::rowCount() const { return filtered_->rowCount(); }

QString frmJobLog::cellText(int row, int column) const {
  return filtered_->index(row, column).data().toString();
}

void frmJobLog::openRow(const QModelIndex& index) {
  if (!index.isValid()) return;
  const JobEntry& entry = entries_.at(filtered_->mapToSource(index).row());
  if (entry.backup.isEmpty()) {
    prompts::message(this, tr("这一行没有备份"), tr("提示"), prompts::Icon::Information);
    return;
  }
  const QString path = QDir(backupFolder()).filePath(entry.backup);
  if (!QFileInfo::exists(path)) {
    prompts::message(this, tr("备份“%1”已不存在").arg(QDir::toNativeSeparators(path)), tr("提示"),
                     prompts::Icon::Information);
    return;
  }
  if (openBackup_(path)) accept();
}

void frmJobLog::exportCsv() {
  const QString path = prompts::saveFileName(
      this, tr("CSV(*.csv);;所有文件(*.*)"),
      QDir(UserSettings().lastFolder()).filePath(QStringLiteral("jobs.csv")), tr("导出写频记录"));
  if (path.isEmpty()) return;
  QStringList headings;
  for (const char* heading : kFieldHeadings) headings << tr(heading);
  QString text = csvLine(headings);
  for (int row = 0; row < filtered_->rowCount(); ++row)
    text += csvLine(fieldsOf(entries_.at(filtered_->mapToSource(filtered_->index(row, 0)).row())));
  if (const auto error = writeFileAtomically(path, csvFileBytes(text))) {
    prompts::message(this, *error, tr("错误"), prompts::Icon::Critical);
    return;
  }
  UserSettings().setLastFolder(QFileInfo(path).absolutePath());
  prompts::message(this, tr("导出成功"), tr("提示"), prompts::Icon::Information);
}

}  // namespace kv
