#pragma once

#include <QDialog>
#include <QStringList>

namespace kv {

// The about box: the program's title and texts, "确定" and "系统信息".
class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget* parent = nullptr);

  // Programs that show the system's information, tried in this order; each platform has its
  // own.
  static QStringList systemInfoPrograms();

 private:
  void startSystemInfo();
};

}  // namespace kv
