#include "preview/prnprv.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

#include "preview/pageview.h"
#include "preview/previewicons.h"
#include "print/scriptinterpreter.h"
#include "print/scriptreader.h"
#include "ui/prompts.h"

namespace kv {
namespace {

// Hourglass pointer for the duration of a scope.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

PrnPrv::PrinterChoice printerDialog(QPrinter& printer, QWidget* parent) {
  // Without a printer the dialog would have nothing to offer, or fail without a word.
  if (QPrinterInfo::availablePrinterNames().isEmpty()) return PrnPrv::PrinterChoice::NoPrinter;
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  return dialog.exec() == QDialog::Accepted ? PrnPrv::PrinterChoice::Chosen
                                            : PrnPrv::PrinterChoice::Cancelled;
}

// How far a scroll bar of `view` units can move over a sheet of `sheet` units.
void setRange(QScrollBar* bar, double sheet, int view) {
  const QSignalBlocker quiet(bar);
  const int maximum = sheet > view ? int(sheet) - view : 0;
  bar->setRange(0, maximum);
  bar->setSingleStep(20);
  bar->setPageStep(maximum > 0 ? int(maximum * double(view) / sheet) : 0);
}

}  // namespace

PrnPrv::PrnPrv(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("PrnPrv"));
  setWindowTitle(QStringLiteral("Preview"));
  setAttribute(Qt::WA_DeleteOnClose);
  printSetup_ = [this](QPrinter& printer) { return printerDialog(printer, this); };

  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  const auto add = [&](int index, const QString& caption, const QString& tip, PreviewPicture pic,
                       const std::function<void()>& action) {
    bar->addWidget(addButton(index, caption, tip, previewIcon(pic), action));
  };
  add(0, tr("恢复"), QStringLiteral("refresh (CR)"), PreviewPicture::Refresh,
      [this] { MostraPagina(); });
  add(1, tr("放大"), QStringLiteral("zoom in (+)"), PreviewPicture::ZoomIn, [this] { step(1); });
  add(2, tr("缩小"), QStringLiteral("zoom out (-)"), PreviewPicture::ZoomOut, [this] { step(-1); });
  add(4, tr("打印"), QStringLiteral("select printer"), PreviewPicture::Print,
      [this] { printScript(); });
  add(5, QStringLiteral("PDF"), QStringLiteral("export to PDF"), PreviewPicture::Pdf,
      [this] { exportToPdf(); });
  add(10, tr("退出"), QStringLiteral("close"), PreviewPicture::Close, [this] { close(); });
  cmd_[0]->setShortcut(Qt::Key_Return);
  cmd_[1]->setShortcut(Qt::Key_Plus);
  cmd_[2]->setShortcut(Qt::Key_Minus);
  cmd_[10]->setShortcut(Qt::Key_Escape);

  zVal_ = new QComboBox;
  zVal_->setObjectName(QStringLiteral("zVal"));
  zVal_->setToolTip(QStringLiteral("zoom factor"));
  for (int z = 25; z <= 200; z += 25) zVal_->addItem(QString::number(z));
  ePag_ = new QComboBox;
  ePag_->setObjectName(QStringLiteral("ePag"));
  ePag_->setToolTip(QStringLiteral("select (selected) page"));
  ePag_->setMinimumContentsLength(3);
  bar->addSpacing(8);
  bar->addWidget(zVal_);
  bar->addWidget(ePag_);
  bar->addStretch();

  prv_ = new PageView;
  hBar_ = new QScrollBar(Qt::Horizontal);
  hBar_->setObjectName(QStringLiteral("hBar"));
  vBar_ = new QScrollBar(Qt::Vertical);
  vBar_->setObjectName(QStringLiteral("vBar"));
  connect(hBar_, &QScrollBar::valueChanged, this, [this] { SistemaHBAR(); });
  connect(vBar_, &QScrollBar::valueChanged, this, [this] { SistemaVBAR(); });
  auto* page = new QGridLayout;
  page->setSpacing(0);
  page->addWidget(prv_, 0, 0);
  page->addWidget(vBar_, 0, 1);
  page->addWidget(hBar_, 1, 0);

  aPag_ = new QLabel;
  aPag_->setObjectName(QStringLiteral("aPag"));
  tPag_ = new QLabel;
  tPag_->setObjectName(QStringLiteral("tPag"));
  zPag_ = new QLabel;
  zPag_->setObjectName(QStringLiteral("zPag"));
  auto* status = new QHBoxLayout;
  status->setContentsMargins(6, 2, 6, 2);
  status->setSpacing(4);
  // The status row's captions name the lists above for a screen reader too.
  auto* pageCaption = new QLabel(QStringLiteral("page:"));
  auto* zoomCaption = new QLabel(QStringLiteral("zoom:"));
  pageCaption->setBuddy(ePag_);
  zoomCaption->setBuddy(zVal_);
  zVal_->setAccessibleName(tr("显示比例"));
  ePag_->setAccessibleName(tr("页"));
  status->addWidget(pageCaption);
  status->addWidget(aPag_);
  status->addSpacing(6);
  status->addWidget(new QLabel(QStringLiteral("of")));
  status->addWidget(tPag_);
  status->addSpacing(18);
  status->addWidget(zoomCaption);
  status->addWidget(zPag_);
  status->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(bar);
  layout->addLayout(page, 1);
  layout->addLayout(status);

  const QRect screen = this->screen()->availableGeometry();
  resize(screen.size() * 0.9);
  move(screen.center() - rect().center());
  zVal_->setCurrentText(QStringLiteral("100"));
}

QToolButton* PrnPrv::addButton(int index, const QString& caption, const QString& toolTip,
                               const QIcon& icon, const std::function<void()>& action) {
  auto* button = new QToolButton;
  button->setObjectName(QStringLiteral("Cmd%1").arg(index));
  button->setText(caption);
  button->setToolTip(toolTip);
  button->setIcon(icon);
  button->setIconSize(QSize(24, 24));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  button->setMinimumWidth(48);
  connect(button, &QToolButton::clicked, this, action);
  cmd_[index] = button;
  return button;
}

void PrnPrv::step(int delta) {
  const int next = zVal_->currentIndex() + delta;
  if (next < 0 || next >= zVal_->count()) return;
  zVal_->setCurrentIndex(next);
  MostraPagina();
}

void PrnPrv::MostraPagina() {
  zoom_ = scriptValue(zVal_->currentText());
  DrawPage(0, 0);
}

void PrnPrv::SistemaHBAR() { DrawPage(hBar_->value(), vBar_->value()); }
void PrnPrv::SistemaVBAR() { DrawPage(hBar_->value(), vBar_->value()); }

void PrnPrv::DrawPage(int scrollX, int scrollY) {
  const WaitCursor wait;
  const QSizeF sheet = prv_->sheetSize(zoom_);
  setRange(hBar_, sheet.width(), prv_->width());
  setRange(vBar_, sheet.height(), prv_->height());
  // A larger window shortens the bars' ranges; the sheet must not be shifted past their ends.
  prv_->draw(zoom_, int(scriptValue(ePag_->currentText())), std::min(scrollX, hBar_->maximum()),
             std::min(scrollY, vBar_->maximum()));
  ShowStatus();
}

void PrnPrv::SetPageList() {
  const WaitCursor wait;
  ePag_->clear();
  ePag_->addItem(QStringLiteral("1"));
  ePag_->setCurrentIndex(0);
}

void PrnPrv::ShowStatus() {
  aPag_->setText(ePag_->currentText());
  tPag_->setText(QString::number(ePag_->count()));
  zPag_->setText(zVal_->currentText() + QLatin1Char('%'));
}

QString PrnPrv::statusText() const {
  return QStringLiteral("page: %1 of %2 zoom: %3").arg(aPag_->text(), tPag_->text(), zPag_->text());
}

void PrnPrv::printScript() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  switch (printSetup_(printer)) {
    case PrinterChoice::Cancelled:
      return;
    case PrinterChoice::NoPrinter:
      // A computer without a printer (a new laptop) still gets the page, as a PDF.
      if (prompts::message(this, tr("没有可用的打印机"), tr("提示"), prompts::Icon::Information,
                           prompts::Buttons::OkCancel, {tr("保存为PDF…"), tr("取消")}))
        exportToPdf();
      return;
    case PrinterChoice::Chosen:
      break;
  }
  const WaitCursor wait;
  // Like the dialog, a failing printer ends the command without a message.
  PrintPages(printer, 1, 1);
}

void PrnPrv::exportToPdf() {
  QString path = prompts::saveFileName(this, QStringLiteral("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  const WaitCursor wait;
  if (!exportPdf(path)) {
    prompts::message(this, tr("无法写入文件：%1").arg(path), tr("提示"),
                     prompts::Icon::Information);
  }
}

void PrnPrv::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  // The redraw starts at the sheet's corner; the bars go there too, or the next scroll would
  // jump from where they were left.
  for (QScrollBar* bar : {hBar_, vBar_}) {
    const QSignalBlocker quiet(bar);
    bar->setValue(0);
  }
  MostraPagina();
}

void PrnPrv::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (isVisible()) SistemaHBAR();
}

}  // namespace kv
