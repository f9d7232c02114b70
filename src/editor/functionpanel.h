#pragma once

#include <QList>
#include <QWidget>

#include "model/radiodata.h"

class QComboBox;
class QLabel;

namespace kv {

class Document;

// The model frame "机型选择" with the band label, and the function frame "功能设置" with the
// six function lists. A list's selection is the document's setting: every change, by the
// user or by code, is a change of the document at once.
class FunctionPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FunctionPanel(Document& document, QWidget* parent = nullptr);

  // Shows the document's selections again; showing them changes nothing.
  void refresh();

  void setBandText(const QString& text);
  QString bandText() const;

 signals:
  // The model list's selection was changed, not by showing the document; the main window
  // runs the model selection.
  void modelChanged(int index);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  struct Setting {
    QLabel* label;
    QComboBox* list;
    int FunctionSettings::*field;
    QString name;        // the field's, for its caption: "settings.squelch"
    QStringList values;  // the list's values; it shows their texts in the current language
  };
  // The frames' titles, the labels and the lists' entries in the current language.
  void showTexts();

  Document& document_;
  QLabel* modelLabel_;
  QComboBox* cboPCmodel_;
  QLabel* label2_;
  QList<Setting> settings_;
  QList<std::pair<QWidget*, const char*>> captions_;  // a frame or a label and its source text
  bool refreshing_ = false;
};

}  // namespace kv
