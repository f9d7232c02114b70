#pragma once

#include <QMutex>
#include <QStringList>
#include <memory>
#include <vector>

#include "link/transferobserver.h"

namespace kv::cli {

// The transfers' progress and messages on stderr, one line per port, each port's shown by
// its own thread. On a terminal every port keeps one line that is updated in place, with
// the messages above them; in a log each change is a line of its own and the count shows
// every quarter. With one port the lines carry no port name. Ctrl-C is the Cancel button.
class ProgressBoard {
 public:
  // `ports` name the lines; `cancelled` tells whether the user has cancelled.
  ProgressBoard(const QStringList& ports, bool (*cancelled)());
  ~ProgressBoard();

  TransferObserver& observer(int line);

 private:
  class Line;
  struct Shown {
    QString step;
    QString caption;
    int count = 0;
  };
  void update(int line, const Shown& shown);
  void message(int line, const QString& text);
  QString prefix(int line) const;
  QString boardLine(int line) const;
  void redraw();
  void putLine(const QString& text);

  QStringList ports_;
  int nameWidth_ = 0;
  bool tty_;
  bool (*cancelled_)();
  std::vector<std::unique_ptr<Line>> lines_;
  QMutex mutex_;
  std::vector<Shown> shown_;  // guarded by mutex_
  int drawn_ = 0;             // lines of the board on the terminal now; guarded by mutex_
};

}  // namespace kv::cli
