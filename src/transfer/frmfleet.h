#pragma once

#include <QDialog>
#include <QList>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "link/portlist.h"
#include "link/radiojob.h"

class QCheckBox;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace kv {

// 编程's "批量写频…": every listed port in a row with its tick, the write options and
// 重写失败的 / 开始 / 取消. 开始 writes the document to every ticked port at once, each port's row
// showing its progress bar and, the moment its radio is done, its result. A line that fails or
// times out ends alone and says why in its row: nothing asks or tells in a message box while
// the lines run. 重写失败的 then runs the same write again on the rows that did not succeed.
// The GUI thread never waits for the lines; they report to it through queued signals. While
// no line runs the ports are listed anew every second: a cable plugged in gets a row, the row
// of one pulled out is greyed.
class frmFleet : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kRelistMs = 1000;

  // What 开始 writes: the document once it has passed the checks of the Write command, or
  // nothing when a check refused it (and said so).
  using CheckedData = std::function<std::optional<RadioData>()>;

  explicit frmFleet(CheckedData checkedData, QWidget* parent = nullptr);
  ~frmFleet() override;

  QTreeWidget* lstPorts() const { return lstPorts_; }
  // A port's row: its tick (the item's check state), its device and its result are the item's.
  QTreeWidgetItem* portRow(int row) const;
  QProgressBar* pgbPort(int row) const { return rows_.at(row).bar; }
  // The row's state while its line runs, then its result.
  QString result(int row) const;
  QCheckBox* chkReadFirst() const { return chkReadFirst_; }
  QCheckBox* chkVerify() const { return chkVerify_; }
  QCheckBox* chkKeepTune() const { return chkKeepTune_; }
  QCheckBox* chkAnyModel() const { return chkAnyModel_; }
  QPushButton* cmdRetry() const { return cmdRetry_; }
  QPushButton* cmdStart() const { return cmdStart_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }
  bool running() const { return running_; }

  // 取消, Escape and the frame: closes when no line runs; else asks once whether to stop and
  // cancels every line, and the rows then show where each one stopped.
  void reject() override;

 signals:
  void runFinished();  // every line has ended and its row shows its result
  // From the lines' threads.
  void lineShows(int row, const QString& text);
  void lineProgress(int row, int value);

 private:
  class Line;
  struct Row {
    PortInfo port;
    QTreeWidgetItem* item;
    QProgressBar* bar;
    bool listed = true;   // the system listed its port the last time it was asked
    bool failed = false;  // the last write of this row did not succeed
  };
  void addRow(const PortInfo& port, bool ticked);
  void relist();
  void start();
  void retry();
  void run(const QList<int>& rows);
  void showOutcome(int row, const JobOutcome& outcome);
  void finishRun();
  void setIdle(bool idle);
  void updateButtons();
  bool ticked(const Row& row) const;

  CheckedData checkedData_;
  QTreeWidget* lstPorts_;
  QList<Row> rows_;
  QCheckBox* chkReadFirst_;
  QCheckBox* chkKeepTune_;
  QCheckBox* chkVerify_;
  QCheckBox* chkAnyModel_;
  QPushButton* cmdRetry_;
  QPushButton* cmdStart_;
  QPushButton* cmdCancel_;
  QTimer* relistTimer_;
  QList<PortInfo> listed_;  // the ports as last listed
  bool running_ = false;
  std::atomic<bool> cancelled_{false};
  // What the last 开始 wrote and how, for 重写失败的.
  std::optional<RadioData> data_;
  WriteChecks checks_;
  std::vector<std::unique_ptr<Line>> lines_;
  std::unique_ptr<QThread> runner_;
};

}  // namespace kv
