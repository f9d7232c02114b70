// Times the preview's redraw of the settings report at zoom 200, as the window does it on every
// activation, scroll and button. Run: QT_QPA_PLATFORM=offscreen build/bin/bench_preview_redraw
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "preview/printpreview.h"
#include "preview/prnprv.h"
#include "print/scriptinterpreter.h"

namespace {

template <typename F>
double medianMs(F&& redraw) {
  redraw();  // the first run loads the fonts
  std::vector<double> ms;
  for (int i = 0; i < 50; ++i) {
    QElapsedTimer timer;
    timer.start();
    redraw();
    ms.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kv::RadioData data;
  for (int n = 1; n <= kv::kChannelCount; ++n) {
    data.cell(n, kv::kRxFreq) = data.cell(n, kv::kTxFreq) = QStringLiteral("435.12500");
    for (int c = kv::kRxSignal; c <= kv::kTxPower; ++c) data.cell(n, c) = QStringLiteral("OFF");
  }
  kv::runPrintPreview(nullptr, data, QStringLiteral("400MHz---470MHz"));
  kv::PrnPrv* window = kv::prnPrv();
  window->zoomList()->setCurrentText(QStringLiteral("200"));
  const double visible = medianMs([window] { window->MostraPagina(); });

  QImage sheet(QSize(1588, 2246), QImage::Format_RGB32);
  sheet.setDotsPerMeterX(3780);
  sheet.setDotsPerMeterY(3780);
  const double whole = medianMs([&sheet] {
    QPainter painter(&sheet);
    kv::drawPreviewPage(painter, 1, 200, QPointF());
  });

  std::printf("preview redraw at zoom 200 (window %dx%d): %.2f ms median (budget 20 ms)\n",
              window->width(), window->height(), visible);
  std::printf("whole sheet at zoom 200 (%dx%d px): %.2f ms median\n", sheet.width(), sheet.height(),
              whole);
  return visible < 20 ? 0 : 1;
}
