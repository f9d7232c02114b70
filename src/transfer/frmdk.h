#pragma once

#include <QDialog>
#include <QList>
#include <array>

#include "link/portlist.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;
class QTimer;
class QTreeWidget;

namespace kv {

// The port dialog: COM1..COM4, one button for each of the first four listed ports, and the
// list "其他端口" of every listed port, so that a fifth or later one can be chosen too, and
// "检测(&C)", which checks the link on the selected port. The ports are listed afresh every
// second while the dialog is open, so that a cable plugged in shows up.
class frmDK : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kButtonCount = kPortButtons;
  static constexpr int kRelistMs = 1000;

  // `current`: the port chosen so far (DKH and what identifies it).
  explicit frmDK(const PortChoice& current, QWidget* parent = nullptr);

  // The chosen port's place in the list, 0 for COM1. A click changes it at once, even if
  // the dialog is then closed by its frame.
  int DKH() const { return choice_.index; }
  const PortChoice& choice() const { return choice_; }
  QRadioButton* optDK(int index) const { return optDK_.at(index); }
  QPushButton* cmdQD() const { return cmdQD_; }
  // "检测(&C)": the link check of the selected port.
  QPushButton* cmdCheck() const { return cmdCheck_; }
  QTreeWidget* lstPorts() const { return lstPorts_; }

 private:
  void relist();
  void showPorts();
  void choose(int index);
  void confirm();

  std::array<QRadioButton*, kButtonCount> optDK_{};
  QButtonGroup* group_;
  QTreeWidget* lstPorts_ = nullptr;
  QPushButton* cmdQD_ = nullptr;
  QPushButton* cmdCheck_ = nullptr;
  QTimer* relistTimer_;
  QList<PortInfo> ports_;
  PortChoice choice_;
};

}  // namespace kv
