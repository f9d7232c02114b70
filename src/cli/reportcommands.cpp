#include "cli/command.h"
#include "image/chpfile.h"
#include "print/printscript.h"
#include "print/scriptinterpreter.h"
#include "print/settingsreport.h"

namespace kv::cli {
namespace {

int report(const Call& call) {
  const QString chp = call.argument(0);
  const QString pdf = call.argument(1);
  const auto loaded = loadChannelFile(chp);
  if (!loaded) return 1;
  const RadioData& data = *loaded;

  const QString band = bandTextOf(settingsBands(), data.settings.model);
  setScriptErrorHandler(
      [](const QString& text, const QString& title) { fail(Cli::tr("%1：%2").arg(title, text)); });
  const bool written = writeSettingsReport(data, band);
  const bool exported = written && exportPdf(pdf);
  DeleteScript();
  if (!written) return fail(Cli::tr("无法写入打印脚本%1").arg(scriptFilePath()));
  if (!exported) return fail(Cli::tr("%1: 无法写入PDF文件").arg(pdf));
  print(Cli::tr("%1: 设置报表已写入").arg(pdf) + QLatin1Char('\n'));
  return 0;
}

}  // namespace

QList<Command> reportCommands() {
  return {{.name = "report",
           .summary = "Render the settings report of a channel file as an A4 PDF.",
           .about = "The report is the one the program prints: the function settings, the band\n"
                    "of the model from the settings file \"Sfc.ini\" the program uses, and the\n"
                    "whole channel table. Nothing is written when the channel file does not load\n"
                    "completely or its model code matches no model. Runs without a display.\n",
           .arguments = {"FILE.chp", "OUT.pdf"},
           .run = report,
           .draws = true}};
}

}  // namespace kv::cli
