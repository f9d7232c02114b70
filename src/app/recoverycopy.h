#pragma once

#include <QLockFile>
#include <QObject>
#include <QTimer>

class QSessionManager;

namespace kv {

class mainFrm;

// The copy of unsaved edits that outlives a crash or the end of the desktop session. While the
// window's document is modified it is kept as "recovery/<process number>.chp" in the user's
// data folder, written five seconds after the last change; a save, a clean exit or changes
// given up remove it. A lock file beside it tells the programs running at the same time which
// copies are still in use. It also answers the session manager's request to save before the
// session ends.
class RecoveryCopy : public QObject {
  Q_OBJECT
 public:
  explicit RecoveryCopy(mainFrm& window);

  // At start: the copies of programs that have ended, newest first, one question each. "是"
  // opens the copy as a change to be saved (after the question about the changes of one
  // opened before), "否" deletes it. A copy the user keeps neither way stays for the next start.
  void offerCopies();

 private:
  // False when the copy could not be written (the reason goes to the log).
  bool write();
  void remove();
  void commitData(QSessionManager& manager);

  mainFrm& window_;
  QString folder_;
  QString path_;
  QLockFile lock_;
  QTimer timer_;
};

}  // namespace kv
