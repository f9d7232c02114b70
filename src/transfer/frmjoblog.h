#pragma once

#include <QDialog>
#include <functional>

#include "image/joblog.h"

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace kv {

// 编程's "写频记录…": the job log as a table, newest first, with a filter box that keeps the
// rows holding its text in any column. A row's double click (or Enter) opens the backup of its
// line as 文件's "打开备份…" would; 导出… saves the rows shown as CSV for a spreadsheet.
class frmJobLog : public QDialog {
  Q_OBJECT

 public:
  // Opens a backup file in the main window (asking about unsaved changes first); true when
  // it was opened, and the dialog then closes.
  using OpenBackup = std::function<bool(const QString& path)>;

  explicit frmJobLog(OpenBackup openBackup, QWidget* parent = nullptr,
                     const QString& logPath = jobLogPath());

  QLineEdit* txtFilter() const { return txtFilter_; }
  QTableView* lstJobs() const { return lstJobs_; }
  QPushButton* cmdExport() const { return cmdExport_; }
  QPushButton* cmdClose() const { return cmdClose_; }
  // The text of a cell as shown, row 0 the newest line the filter keeps.
  QString cellText(int row, int column) const;
  int rowCount() const;

 private:
  void openRow(const QModelIndex& index);
  void exportCsv();

  OpenBackup openBackup_;
  QList<JobEntry> entries_;  // newest first, in the model's row order
  QStandardItemModel* model_;
  QSortFilterProxyModel* filtered_;
  QLineEdit* txtFilter_;
  QTableView* lstJobs_;
  QPushButton* cmdExport_;
  QPushButton* cmdClose_;
};

}  // namespace kv
