#pragma once

#include <QList>
#include <QStringList>
#include <functional>

#include "link/transferobserver.h"

namespace kvtest {

// Records what a transfer shows; `cancel` decides when the user has confirmed a cancel.
class RecordingObserver : public kv::TransferObserver {
 public:
  struct Message {
    QString text;
    QString title;
    kv::MessageIcon icon;
  };

  QStringList captions;
  QList<int> progress;
  QList<Message> messages;
  std::function<bool()> cancel;

  void setCaption(const QString& caption) override { captions << caption; }
  void setProgress(int value) override { progress << value; }
  void message(const QString& text, const QString& title, kv::MessageIcon icon) override {
    messages.append({text, title, icon});
  }
  bool cancelled() override { return cancel && cancel(); }
  QStringList texts() const {
    QStringList all;
    for (const Message& m : messages) all << m.text;
    return all;
  }
};

}  // namespace kvtest
