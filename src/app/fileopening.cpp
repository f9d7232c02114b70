#include "app/fileopening.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

#include "editor/mainfrm.h"
#include "ui/prompts.h"

namespace kv {
namespace {

constexpr int kFileNotFound = 53;

// The first local ".chp" file among the dragged items.
QString chpFileIn(const QMimeData* data) {
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() &&
        QFileInfo(url.toLocalFile()).suffix().compare(QLatin1String("chp"), Qt::CaseInsensitive) ==
            0)
      return url.toLocalFile();
  }
  return QString();
}

class ChpDrop : public QObject {
 public:
  explicit ChpDrop(mainFrm& window) : QObject(&window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!chpFileIn(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = chpFileIn(drop->mimeData());
      if (path.isEmpty()) return true;
      drop->acceptProposedAction();
      // The drag source waits for the drop to end; the question and a failed load's message
      // come after.
      QTimer::singleShot(0, &window_, [this, path] { window_.openPath(path); });
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  mainFrm& window_;
};

}  // namespace

void openAtStart(mainFrm& window, const QString& path) {
  if (!QFileInfo::exists(path)) {
    prompts::message(&window,
                     QCoreApplication::translate("kv::FileOpening", "文件未找到：%1").arg(path),
                     QString::number(kFileNotFound), prompts::Icon::Information);
    return;
  }
  window.openPath(path);
}

void acceptChpDrops(mainFrm& window) {
  window.setAcceptDrops(true);
  window.installEventFilter(new ChpDrop(window));
}

}  // namespace kv
