#pragma once

#include <QGroupBox>
#include <QPoint>
#include <array>
#include <functional>

#include "model/radiodata.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace kv {

class Document;
class GridView;

// The channel frame "信道数据设置": the grid `gridXDSZ` showing the channel table of the one
// document, and the in-cell editors laid over the clicked cell. Every cell the editors or the
// validation change is a change of the document, which the grid then shows; what is typed
// into one cell, with the validation that ends it, is one step of the document's history.
class ChannelGrid : public QGroupBox {
  Q_OBJECT
 public:
  // `bandText` gives the text the band label shows now; validation reads the limits from it.
  ChannelGrid(Document& document, std::function<QString()> bandText, QWidget* parent = nullptr);

  // Shows every cell of the document again and forgets an unchecked edit (after a load, a
  // read or a grid reset).
  void refresh();
  // Puts the editors away; an editor that had the focus gives it to the grid.
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

 protected:
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setupGrid();
  void colourFixedCells();
  // The title, the headings and the values in the current language, the columns as wide as
  // they need.
  void showTexts();
  void showCells();
  void setCell(int row, int column, const QString& text);
  QString cellText(int row, int column) const;
  QLineEdit* frequencyEditor(int column) const;
  void placeOverCell(QWidget* editor, int row, int column);
  std::array<QWidget*, 4> editors() const;
  void hideAllBut(QWidget* keep);

  void cellClicked(int row, int column);
  // Opens the current cell's editor; a list drops down when `dropList` is set.
  void openEditor(bool dropList);
  void editRequested(QKeyEvent* typed);
  // Esc: the cell gets back the text it had when the editor opened.
  void restoreEditedCell(QLineEdit* editor, int column);
  void currentCellChanged(int row, int column, int previousRow, int previousColumn);
  void frequencyEdited(QLineEdit* editor, int column);
  void frequencyEntered(QLineEdit* editor, int column);
  void listPicked(QComboBox* list);
  // False when a frequency was refused with a message.
  bool leaveCell(int row, int column);
  // Shows why the cell's frequency was refused; the cell holds again what it held before.
  void rejectFrequency(int row, int column, const QString& message);

  Document& document_;
  std::function<QString()> bandText_;
  GridView* grid_;
  QLineEdit* txtTxFreq_;           // edits the receive column 1, whatever its name says
  QLineEdit* txtRecFreq_;          // edits the transmit column 2
  QComboBox* shortList_;           // cmbVask 1: refilled for every click in columns 5 to 7
  QComboBox* signalList_;          // cmbVask 2: the signalling pick list
  QLabel* listLabel_;              // names the open list after its column
  int row_ = 1;                    // the current cell as the editors see it: it changes only after
  int column_ = 1;                 // the cell that is left has been validated
  bool editedSinceCheck_ = false;  // an editor wrote the current cell after its last check
  QPoint frequencyCell_;           // the cell (x the column) the frequency editor last opened on
  QString textBeforeEdit_;         // its text then, or when a check last accepted it
  int run_ = 1;  // the document's changes carrying the same run join into one step
};

}  // namespace kv
