#include "app/recoverycopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QSessionManager>
#include <QStandardPaths>
#include <QStatusBar>
#include <algorithm>

#include "editor/mainfrm.h"
#include "image/chpfile.h"
#include "ui/prompts.h"

namespace kv {
namespace {

QString lockPath(const QString& folder, qint64 pid) {
  return QDir(folder).filePath(QStringLiteral("%1.lock").arg(pid));
}

}  // namespace

RecoveryCopy::RecoveryCopy(mainFrm& window) : RecoveryCopy(window, Timing{}) {}

RecoveryCopy::RecoveryCopy(mainFrm& window, Timing timing)
    : QObject(&window),
      window_(window),
      folder_(QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                  .filePath(QStringLiteral("recovery"))),
      path_(
          QDir(folder_).filePath(QStringLiteral("%1.chp").arg(QCoreApplication::applicationPid()))),
      lock_(lockPath(folder_, QCoreApplication::applicationPid())),
      timing_(timing) {
  QDir().mkpath(folder_);
  // A lock under this process's number can only be left by an ended process that had it.
  QFile::remove(lock_.fileName());
  lock_.setStaleLockTime(0);
  lock_.tryLock(0);

  clock_.start();
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &RecoveryCopy::write);
  Document& document = window_.document();
  // A step's change comes before the history counts it as modified; write() looks then.
  connect(&document, &Document::changed, this, &RecoveryCopy::schedule);
  connect(&document, &Document::modifiedChanged, this, [this](bool modified) {
    if (!modified) remove();
  });
  connect(&window_, &mainFrm::closing, this, &RecoveryCopy::remove);
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &RecoveryCopy::commitData,
          Qt::DirectConnection);
}

// A user who never pauses still gets a copy now and then.
void RecoveryCopy::schedule() {
  const qint64 now = clock_.elapsed();
  if (pendingSince_ < 0) pendingSince_ = now;
  const qint64 due = copied_ ? std::min(now + timing_.quietMs, pendingSince_ + timing_.longestMs)
                             : pendingSince_ + timing_.firstMs;
  timer_.start(int(std::max<qint64>(0, due - now)));
}

bool RecoveryCopy::write() {
  timer_.stop();
  pendingSince_ = -1;
  if (!window_.isModified()) return true;
  QDir().mkpath(folder_);
  if (const auto failure = saveChpFile(path_, window_.data())) {
    remove();
    showFailure(failure->description);
    return false;
  }
  copied_ = true;
  if (!failure_.isEmpty() && window_.statusBar()->currentMessage() == failure_)
    window_.statusBar()->showMessage(shownBefore_);
  failure_.clear();
  return true;
}

void RecoveryCopy::remove() {
  timer_.stop();
  pendingSince_ = -1;
  copied_ = false;
  QFile::remove(path_);
}

// Until a copy is written again; then the status bar shows what it showed before.
void RecoveryCopy::showFailure(const QString& reason) {
  QStatusBar* bar = window_.statusBar();
  if (failure_.isEmpty() || bar->currentMessage() != failure_) shownBefore_ = bar->currentMessage();
  failure_ = tr("无法保存恢复副本：%1").arg(reason);
  bar->showMessage(failure_);
}

void RecoveryCopy::commitData(QSessionManager& manager) {
  if (!window_.isModified()) return;
  if (!manager.allowsInteraction()) {
    timer_.stop();
    write();  // the edits wait in the copy for the next start
    return;
  }
  if (!window_.maySaveChanges()) {
    manager.cancel();
  } else if (window_.isModified()) {  // "否": the edits are given up
    window_.discardChanges();
    remove();
  }
  manager.release();
}

void RecoveryCopy::offerCopies() {
  const QFileInfoList copies = QDir(folder_).entryInfoList({QStringLiteral("*.chp")}, QDir::Files,
                                                           QDir::Time);  // newest first
  for (const QFileInfo& copy : copies) {
    bool number = false;
    const qint64 pid = copy.completeBaseName().toLongLong(&number);
    if (!number) continue;
    // The lock of a process that has ended is stale: taking it shows that the copy is no
    // longer in use, and letting it go removes it.
    QLockFile owner(lockPath(folder_, pid));
    owner.setStaleLockTime(0);
    if (pid != QCoreApplication::applicationPid() && !owner.tryLock(0)) continue;
    if (prompts::question(&window_, tr("发现未保存的数据，是否恢复？"), tr("提示"),
                          prompts::Icon::Question,
                          prompts::Buttons::YesNo) == prompts::Answer::No) {
      QFile::remove(copy.filePath());
      continue;
    }
    if (!window_.maySaveChanges()) return;
    if (!window_.recoverFile(copy.filePath())) continue;
    // Kept under this process's number before the ended one's copy goes.
    if (copy.absoluteFilePath() == QFileInfo(path_).absoluteFilePath()) continue;
    if (write()) QFile::remove(copy.filePath());
  }
}

}  // namespace kv
