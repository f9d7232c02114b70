#pragma once

#include <QList>
#include <QWidget>

#include "model/radiodata.h"

class QComboBox;
class QLabel;

namespace kv {

// The model frame "机型选择" with the band label, and the function frame "功能设置" with the
// six function lists. A list's selection is the document's setting: every change, by the
// user or by code, is written to the document at once.
class FunctionPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FunctionPanel(RadioData& data, QWidget* parent = nullptr);

  // Shows the document's selections again.
  void refresh();

  void setBandText(const QString& text);
  QString bandText() const;

 signals:
  // The model list's selection changed; the main window runs the model selection.
  void modelChanged(int index);
  // The user changed a function setting.
  void edited();

 private:
  struct Setting {
    QComboBox* list;
    int FunctionSettings::*field;
  };

  RadioData& data_;
  QComboBox* cboPCmodel_;
  QLabel* label2_;
  QList<Setting> settings_;
};

}  // namespace kv
