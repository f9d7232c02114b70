#include "preview/printpreview.h"

#include <QCoreApplication>
#include <QPointer>

#include "preview/prnprv.h"
#include "print/printscript.h"
#include "print/settingsreport.h"
#include "ui/prompts.h"

namespace kv {
namespace {

QPointer<PrnPrv>& instance() {
  static QPointer<PrnPrv> window;
  return window;
}

void installHooks() {
  setNewScriptHook([] {
    if (instance()) instance()->close();
  });
  setScriptErrorHandler([](const QString& text, const QString& title) {
    prompts::message(nullptr, text, title, prompts::Icon::Critical);
  });
}

}  // namespace

PrnPrv* prnPrv() { return instance(); }

void runPrintPreview(QWidget* parent, const RadioData& data, const QString& bandText) {
  QCoreApplication::processEvents();
  installHooks();
  if (!writeSettingsReport(data, bandText)) {
    prompts::message(parent,
                     QCoreApplication::translate("kv::PrintPreview", "无法写入打印文件：%1")
                         .arg(scriptFilePath()),
                     QCoreApplication::translate("kv::PrintPreview", "提示"),
                     prompts::Icon::Information);
    return;
  }
  auto* window = new PrnPrv(parent);
  instance() = window;
  // The page list is filled before anything is drawn, or the sheet would stay blank.
  window->SetPageList();
  window->show();
  window->raise();
  window->activateWindow();
  window->MostraPagina();
}

}  // namespace kv
