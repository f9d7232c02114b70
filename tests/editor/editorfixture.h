#pragma once

#include <QTableWidget>
#include <QTest>
#include <functional>
#include <memory>

#include "editor/channelgrid.h"
#include "editor/gridview.h"
#include "editor/mainfrm.h"
#include "ui/prompts.h"
#include "usersettingsdir.h"

namespace kv::test {

// A shown, active main window whose every model has the band 400 to 470 MHz, with prompts
// answered by the test seam and the user's settings in a folder of the test run.
inline std::unique_ptr<mainFrm> openMainWindow() {
  prompts::setTestMode(true);
  kvtest::useTemporaryUserSettings();
  auto w = std::make_unique<mainFrm>();
  w->bands().fill(QStringLiteral("400MHz---470MHz"));
  w->refreshFromData();
  w->show();
  w->activateWindow();
  if (!QTest::qWaitForWindowActive(w.get())) qWarning("main window did not become active");
  return w;
}

// Gives the document the values `setUp` writes, as opening a file holding them would: a new
// history, nothing to save. With `asStep` the values are a change the user made instead.
inline void setDocument(mainFrm& w, const std::function<void(RadioData&)>& setUp,
                        bool asStep = false) {
  RadioData data = w.data();
  setUp(data);
  if (asStep)
    w.document().change(data);
  else
    w.document().replace(data);
}

inline void clickCell(mainFrm& w, int row, int column) {
  QTableWidget* grid = w.channelGrid()->grid();
  const QRect cell = grid->visualItemRect(grid->item(row, column));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace kv::test
