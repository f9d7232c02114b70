#pragma once

#include <QString>

namespace kv {

enum class MessageIcon { None, Information, Exclamation, Critical };

// What a transfer shows and whom it asks whether to go on: the progress window in the
// program, stderr in the command-line tool, a recorder in tests.
class TransferObserver {
 public:
  virtual ~TransferObserver() = default;
  virtual void setCaption(const QString& caption) = 0;
  virtual void setProgress(int value) = 0;  // 0..128
  // A job of several transfers (a read first, the write, the read-back) names the one that
  // starts now: "步骤 2/3：写频". A single transfer names none.
  virtual void setStep(const QString& step) { Q_UNUSED(step) }
  // Shows a message and returns once it has been dismissed. An empty title means the
  // application's own name.
  virtual void message(const QString& text, const QString& title, MessageIcon icon) = 0;
  // True once the user has confirmed a cancel.
  virtual bool cancelled() = 0;
};

}  // namespace kv
