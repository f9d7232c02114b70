#pragma once

#include <QElapsedTimer>
#include <QLockFile>
#include <QObject>
#include <QTimer>

class QSessionManager;

namespace kv {

class mainFrm;

// The copy of unsaved edits that outlives a crash or the end of the desktop session. While the
// window's document is modified it is kept as "recovery/<process number>.chp" in the user's
// data folder: written five seconds after the first change, then five seconds after the edits
// pause, but never more than 30 seconds behind edits that go on without a pause. A save, a clean
// exit or changes given up remove it; so does a write that fails, so that an older copy is never
// offered as if it held the latest edits. A lock file beside it tells the programs running at the
// same time which copies are still in use. It also answers the session manager's request to save
// before the session ends.
class RecoveryCopy : public QObject {
  Q_OBJECT
 public:
  struct Timing {
    int firstMs = 5000;     // from the first change of a modified document to its copy
    int quietMs = 5000;     // from the last change to the next copy
    int longestMs = 30000;  // from the first change not in the copy to the next copy, at most
  };

  explicit RecoveryCopy(mainFrm& window);
  // Tests shorten the timing.
  RecoveryCopy(mainFrm& window, Timing timing);

  // At start: the copies of programs that have ended, newest first, one question each. "是"
  // opens the copy as a change to be saved (after the question about the changes of one
  // opened before), "否" deletes it. A copy the user keeps neither way stays for the next start.
  void offerCopies();

 private:
  void schedule();
  // False when the copy could not be written: it is removed and the status bar says why.
  bool write();
  void remove();
  void showFailure(const QString& reason);
  void commitData(QSessionManager& manager);

  mainFrm& window_;
  QString folder_;
  QString path_;
  QLockFile lock_;
  QTimer timer_;
  const Timing timing_;
  QElapsedTimer clock_;
  qint64 pendingSince_ = -1;  // when the first change not in the copy came; -1: none
  bool copied_ = false;       // a copy of this modified document is on disk
  QString failure_;           // the status bar's text while it reports a failed copy
  QString shownBefore_;       // and what it showed before
};

}  // namespace kv
