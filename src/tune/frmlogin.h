#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kv {

// The access dialog that guards tune mode: at most three tries of the access code per showing.
class frmLogin : public QDialog {
  Q_OBJECT

 public:
  explicit frmLogin(QWidget* parent = nullptr);

  // True only when the access code was typed before the dialog closed.
  bool LoginSucceeded() const { return succeeded_; }

 private:
  void cmdOK_Click();
  void cmdCancel_Click();

  QLineEdit* txtPassword_;
  QPushButton* cmdOK_;
  QPushButton* cmdCancel_;
  int attempt_ = 1;
  bool succeeded_ = false;
};

}  // namespace kv
