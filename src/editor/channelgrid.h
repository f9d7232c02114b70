#pragma once

#include <QGroupBox>
#include <array>
#include <functional>

#include "model/radiodata.h"

class QComboBox;
class QLineEdit;

namespace kv {

class GridView;

// The channel frame "信道数据设置": the grid `gridXDSZ` showing the channel table of the one
// document, and the in-cell editors laid over the clicked cell. Every cell the editors or the
// validation change is written to the document first and then shown.
class ChannelGrid : public QGroupBox {
  Q_OBJECT
 public:
  // `bandText` gives the text the band label shows now; validation reads the limits from it.
  ChannelGrid(RadioData& data, std::function<QString()> bandText, QWidget* parent = nullptr);

  // Shows every cell of the document again (after a load, a read or a grid reset).
  void refresh();
  void hideEditors();

  // Validates the current cell as leaving it would, if an editor wrote it since it was last
  // checked (the editor may be shown or already put away). False when the value was refused:
  // its message has been shown and a command that needs the table must not run.
  bool checkEditedCell();

  GridView* grid() const { return grid_; }
  QLineEdit* rxFreqEditor() const { return txtTxFreq_; }
  QLineEdit* txFreqEditor() const { return txtRecFreq_; }
  QComboBox* signalList() const { return signalList_; }
  QComboBox* shortList() const { return shortList_; }

  // The "000.00000" form the cells hold and the "##.00000" form the editors open with; a text
  // that is not a number comes back unchanged.
  static QString cellFrequency(const QString& text);
  static QString editorFrequency(const QString& text);

 signals:
  // The user changed a cell, by an editor or by the validation of a cell.
  void edited();

 private:
  void setupGrid(const QStringList& headings);
  void setCell(int row, int column, const QString& text);
  QString cellText(int row, int column) const { return data_.cell(row, column); }
  QLineEdit* frequencyEditor(int column) const;
  void placeOverCell(QWidget* editor, int row, int column);
  std::array<QWidget*, 4> editors() const;
  void hideAllBut(QWidget* keep);

  void cellClicked(int row, int column);
  void currentCellChanged(int row, int column, int previousRow, int previousColumn);
  void frequencyEdited(QLineEdit* editor, int column);
  void frequencyEntered(QLineEdit* editor, int column);
  void listPicked(QComboBox* list);
  // False when a frequency was refused with a message.
  bool leaveCell(int row, int column);
  void rejectFrequency(int row, int column, const QString& message);

  RadioData& data_;
  std::function<QString()> bandText_;
  GridView* grid_;
  QLineEdit* txtTxFreq_;           // edits the receive column 1, whatever its name says
  QLineEdit* txtRecFreq_;          // edits the transmit column 2
  QComboBox* shortList_;           // cmbVask 1: refilled for every click in columns 5 to 7
  QComboBox* signalList_;          // cmbVask 2: the signalling pick list
  int row_ = 1;                    // the current cell as the editors see it: it changes only after
  int column_ = 1;                 // the cell that is left has been validated
  bool editedSinceCheck_ = false;  // an editor wrote the current cell after its last check
};

}  // namespace kv
