#pragma once

#include <QMap>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QPrinter;
class QScrollBar;
class QToolButton;

namespace kv {

class PageView;

// The preview window: one page of the print script on an A4 sheet at a chosen zoom, with
// scroll bars, a page list, zoom buttons, printing and PDF export. It reads the script file
// on every redraw and keeps no copy of the drawing.
class PrnPrv : public QWidget {
  Q_OBJECT
 public:
  explicit PrnPrv(QWidget* parent = nullptr);

  // Redraws the selected page at the selected zoom from the sheet's top-left corner.
  void MostraPagina();
  // Redraw at the scroll bars' positions.
  void SistemaHBAR();
  void SistemaVBAR();
  // Draws the selected page with the sheet shifted by the offsets and sets the scroll ranges.
  void DrawPage(int scrollX, int scrollY);
  // The page list becomes the single entry "1", selected.
  void SetPageList();
  void ShowStatus();

  // Cmd 4: the printer-setup dialog, then page 1 on the chosen printer. Where there is no
  // printer, says so and offers the PDF instead.
  void printScript();
  // Writes every page of the script to a PDF the user names.
  void exportToPdf();

  // How the printer setup ended: a printer chosen, cancelled, or none there to choose.
  enum class PrinterChoice { Chosen, Cancelled, NoPrinter };
  // Replaces the system's printers and their setup dialog (tests).
  void setPrintSetup(std::function<PrinterChoice(QPrinter&)> setup) {
    printSetup_ = std::move(setup);
  }

  QToolButton* button(int index) const { return cmd_.value(index); }
  QComboBox* zoomList() const { return zVal_; }
  QComboBox* pageList() const { return ePag_; }
  PageView* surface() const { return prv_; }
  QScrollBar* horizontalBar() const { return hBar_; }
  QScrollBar* verticalBar() const { return vBar_; }
  // The zoom the sheet is drawn at (applied by the last MostraPagina).
  double drawnZoom() const { return zoom_; }
  QString statusText() const;

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* addButton(int index, const QString& caption, const QString& toolTip,
                         const QIcon& icon, const std::function<void()>& action);
  void step(int delta);

  QMap<int, QToolButton*> cmd_;
  QComboBox* zVal_;
  QComboBox* ePag_;
  PageView* prv_;
  QScrollBar* hBar_;
  QScrollBar* vBar_;
  QLabel* aPag_;
  QLabel* tPag_;
  QLabel* zPag_;
  double zoom_ = 100;
  std::function<PrinterChoice(QPrinter&)> printSetup_;
};

}  // namespace kv
