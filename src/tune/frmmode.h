#pragma once

#include <QDialog>
#include <QList>

#include "model/radiodata.h"
#include "model/radiomodel.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kv {

class IniFile;

// The tune window: one model's band, the crystal and IF side, and the power trim.
// It edits values that outlive it: the tune values, the main window's band texts and the
// settings file. Closing it any way commits the tune values and the band for the run;
// only "退出调整" also stores the band in the settings file.
class frmMODE : public QDialog {
  Q_OBJECT

 public:
  // `mainModel` and `bandLabelText` are the main window's model position and band label
  // as they are when the window opens.
  frmMODE(TuneValues& tune, Bands& bands, int mainModel, const QString& bandLabelText,
          IniFile& settings, QWidget* parent = nullptr);

  void done(int result) override;

 private:
  enum class Page { Frequency, Power };

  void buildTree();
  QWidget* buildCrystalFrame();
  void layOut();
  void showPage(Page page);
  void tremode_NodeClick(QTreeWidgetItem* item);
  void cboPCmodel_Click(int position);
  void boxChanged(QLineEdit* box);
  int trimPosition() const;
  // Takes the window's values; `store` ("退出调整") also writes the band to the settings file.
  // False when "退出调整" refused the band.
  bool commit(bool store);

  TuneValues& tune_;
  Bands& bands_;
  IniFile& settings_;

  QTreeWidget* tremode_;
  QLabel* modelLabel_;
  QComboBox* cboPCmodel_[2];
  QLineEdit* Text1_;  // high limit
  QLineEdit* Text2_;  // low limit
  QButtonGroup* Option1_;
  QButtonGroup* optJT_;
  QLabel* freQuent_;
  QComboBox* cboFrequent_;
  QList<QWidget*> frequencyPage_;
  QList<QWidget*> powerPage_;
};

}  // namespace kv
