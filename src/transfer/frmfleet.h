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
class QTreeWidget;

namespace kv {

// 编程's "批量写频…": every listed port with a tick box, the write options and 开始 / 取消.
// 开始 writes the document to every ticked port at once, each port in a row of its own with
// a progress bar and, at the end, its result. A line that fails or times out ends alone and
// says why in its row: nothing asks or tells in a message box while the lines run. The GUI
// thread never waits for the lines; they report to it through queued signals.
class frmFleet : public QDialog {
  Q_OBJECT

 public:
  // What 开始 writes: the document once it has passed the checks of the Write command, or
  // nothing when a check refused it (and said so).
  using CheckedData = std::function<std::optional<RadioData>()>;

  explicit frmFleet(CheckedData checkedData, QWidget* parent = nullptr);
  ~frmFleet() override;

  QTreeWidget* lstPorts() const { return lstPorts_; }
  QCheckBox* chkPort(int row) const { return rows_.at(row).tick; }
  QProgressBar* pgbPort(int row) const { return rows_.at(row).bar; }
  // The row's state while its line runs, then its result.
  QString result(int row) const;
  QCheckBox* chkReadFirst() const { return chkReadFirst_; }
  QCheckBox* chkVerify() const { return chkVerify_; }
  QPushButton* cmdStart() const { return cmdStart_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }
  bool running() const { return running_; }

  // 取消, Escape and the frame: closes when no line runs; else asks "确定要取消吗" once and
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
    QCheckBox* tick;
    QProgressBar* bar;
  };
  void start();
  void showOutcomes();
  void setIdle(bool idle);
  void updateStart();

  CheckedData checkedData_;
  QTreeWidget* lstPorts_;
  QList<Row> rows_;
  QCheckBox* chkReadFirst_;
  QCheckBox* chkVerify_;
  QPushButton* cmdStart_;
  QPushButton* cmdCancel_;
  bool running_ = false;
  std::atomic<bool> cancelled_{false};
  QList<int> runRows_;  // the rows of the lines of the run, in the lines' order
  std::vector<std::unique_ptr<Line>> lines_;
  std::unique_ptr<QThread> runner_;
  QList<JobOutcome> outcomes_;  // written by the runner, read once it has finished
};

}  // namespace kv
