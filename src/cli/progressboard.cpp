#include "cli/progressboard.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "cli/terminal.h"
#include "link/radiojob.h"

namespace kv::cli {
namespace {

constexpr int kFullCount = 128;
constexpr int kLogEvery = 32;

// The text cut to `columns` terminal columns, Chinese characters taking two.
QString fitted(const QString& text, int columns) {
  int used = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    used += text[i].unicode() >= 0x1100 ? 2 : 1;
    if (used > columns) return text.left(i);
  }
  return text;
}

}  // namespace

class ProgressBoard::Line : public TransferObserver {
 public:
  Line(ProgressBoard& board, int index) : board_(board), index_(index) {}

  void setStep(const QString& step) override {
    shown_ = {step, QString(), 0};
    board_.update(index_, shown_);
  }
  void setCaption(const QString& caption) override {
    shown_.caption = caption;
    board_.update(index_, shown_);
  }
  void setProgress(int value) override {
    // The progress window fills its bar at the end of every transfer, one that failed too;
    // here the count only goes on from where it stands.
    if (value == shown_.count || value > shown_.count + 1) return;
    shown_.count = value;
    board_.update(index_, shown_);
  }
  // A message box's title ("信息提示", an error's number) is the window's; a line says the text.
  void message(const QString& text, const QString&, MessageIcon) override {
    board_.message(index_, text);
  }
  bool cancelled() override { return board_.cancelled_(); }

 private:
  ProgressBoard& board_;
  int index_;
  Shown shown_;  // this line's own, changed by its thread only
};

ProgressBoard::ProgressBoard(const QStringList& ports, bool (*cancelled)())
    : ports_(ports), tty_(stderrIsTerminal()), cancelled_(cancelled), shown_(ports.size()) {
  for (const QString& port : ports) nameWidth_ = std::max(nameWidth_, int(port.size()));
  for (int i = 0; i < ports.size(); ++i) lines_.push_back(std::make_unique<Line>(*this, i));
}

ProgressBoard::~ProgressBoard() = default;

TransferObserver& ProgressBoard::observer(int line) { return *lines_.at(line); }

QString ProgressBoard::prefix(int line) const {
  return ports_.size() > 1 ? ports_[line] + QStringLiteral(": ") : QString();
}

void ProgressBoard::update(int line, const Shown& shown) {
  QMutexLocker lock(&mutex_);
  const Shown before = std::exchange(shown_[line], shown);
  if (tty_) {
    redraw();
    return;
  }
  if (shown.step != before.step && !shown.step.isEmpty()) putLine(prefix(line) + shown.step);
  if (shown.caption != before.caption && !shown.caption.isEmpty())
    putLine(prefix(line) + shown.caption);
  if (shown.count != before.count && shown.count > 0 && shown.count % kLogEvery == 0)
    putLine(prefix(line) + QStringLiteral("%1/%2").arg(shown.count).arg(kFullCount));
}

void ProgressBoard::message(int line, const QString& text) {
  QMutexLocker lock(&mutex_);
  if (!tty_) {
    putLine(prefix(line) + text);
    return;
  }
  // Above the board, which is drawn again below it.
  if (drawn_ > 0) std::fprintf(stderr, "\033[%dA\033[J", drawn_);
  drawn_ = 0;
  putLine(prefix(line) + text);
  redraw();
}

QString ProgressBoard::boardLine(int line) const {
  const Shown& shown = shown_[line];
  QStringList parts;
  if (ports_.size() > 1) parts << ports_[line].leftJustified(nameWidth_);
  if (const QString step = jobtext::stepLine(shown.step, shown.caption); !step.isEmpty())
    parts << step;
  if (shown.count > 0) parts << QStringLiteral("%1/%2").arg(shown.count).arg(kFullCount);
  return parts.join(QStringLiteral("  "));
}

void ProgressBoard::redraw() {
  const int columns = terminalColumns() - 1;
  QByteArray out;
  if (drawn_ > 0) out += "\033[" + QByteArray::number(drawn_) + 'A';
  for (int line = 0; line < ports_.size(); ++line)
    out += "\r\033[K" + fitted(boardLine(line), columns).toUtf8() + '\n';
  drawn_ = int(ports_.size());
  std::fwrite(out.constData(), 1, size_t(out.size()), stderr);
  std::fflush(stderr);
}

void ProgressBoard::putLine(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toUtf8().constData());
  std::fflush(stderr);
}

}  // namespace kv::cli
