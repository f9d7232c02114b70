// The print-script reader on any bytes, and the interpreter that draws what it reads.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "fuzzsupport.h"
#include "print/printscript.h"
#include "print/scriptinterpreter.h"
#include "print/scriptpainter.h"
#include "print/scriptreader.h"
#include "print/settingsreport.h"

using namespace kv;

namespace {

// A small page at the preview's smallest zoom, every page of the script on it.
void draw(const QString& path) {
  QImage page(60, 85, QImage::Format_RGB32);
  QPainter painter(&page);
  const PageTarget target{60 / kSheetWidthTwips, QPointF(), 0.1};
  interpretScript(path, painter, target, 1, 1000);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);  // fonts for the drawing
  // The fonts are found and loaded at the first text drawn, once for the run: the report,
  // drawn once before the fuzzing, pays for that, not the first input.
  RadioData data;
  data.cell(1, kRxFreq) = QStringLiteral("435.12500");
  if (writeSettingsReport(data, QStringLiteral("400MHz---470MHz"))) draw(scriptFilePath());
  DeleteScript();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = kvfuzz::inputFile(data, size);
  ScriptReader reader(path);
  ScriptCommand command;
  size_t commands = 0;
  while (reader.next(command)) {
    for (const QString& arg : command.args) (void)scriptValue(arg);
    kvfuzz::require(++commands <= size, "every command takes at least one line");
  }
  draw(path);
  return 0;
}
