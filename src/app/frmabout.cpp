#include "app/frmabout.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/frmsplash.h"
#include "ui/programs.h"
#include "ui/prompts.h"
#include "ui/screenfit.h"

namespace kv {
namespace {

const char* const kProgramTitle = QT_TRANSLATE_NOOP("kv::frmAbout", "Tervan_V3.0编程软件");

QLabel* addText(QGridLayout* grid, const char* name, const QString& text, int row) {
  auto* label = new QLabel(text, grid->parentWidget());
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  grid->addWidget(label, row, 1);
  return label;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(tr("关于 ") + tr(kProgramTitle));

  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(16);
  auto* picture = new QLabel(this);
  picture->setPixmap(QPixmap(frmSplash::picture()).scaledToWidth(200, Qt::SmoothTransformation));
  picture->setAlignment(Qt::AlignTop);
  grid->addWidget(picture, 0, 0, 4, 1);

  QLabel* title = addText(grid, "lblTitle", tr(kProgramTitle), 0);
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  big.setBold(true);
  title->setFont(big);
  addText(grid, "lblVersion", tr("版本 %1").arg(QCoreApplication::applicationVersion()), 1);
  addText(grid, "lblDescription",
          tr("16 信道手持对讲机编程软件：编辑信道和功能设置，读频、写频，"
             "保存和打开信道文件（.chp），打印设置报表。适用于八种机型。"),
          2);
  addText(grid, "lblDisclaimer",
          tr("警告：写频会改写对讲机中的全部信道和功能设置。写频前请先读频并另存，"
             "以便需要时恢复原来的数据。"),
          3);
  grid->setColumnMinimumWidth(1, 320);

  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(tr("确定"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  auto* info = new QPushButton(tr("系统信息"), this);
  info->setObjectName(QStringLiteral("cmdSysInfo"));
  buttons->addWidget(ok);
  buttons->addWidget(info);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 4, 1);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(info, &QPushButton::clicked, this, &frmAbout::startSystemInfo);
  resize(sizeOnScreen(this, sizeHint()));  // large text on a small screen: no taller than it
}

void frmAbout::startSystemInfo() {
  if (!programs::startFirstOf(systemInfoPrograms()))
    prompts::message(this, tr("此时系统信息不可用"), QString(), prompts::Icon::None);
}

}  // namespace kv
