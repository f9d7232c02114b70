#include "editor/document.h"

#include <functional>

namespace kv {
namespace {

// One step: the whole document before and after it. A document is a few hundred short
// shared texts, so keeping it whole is cheaper to get right than keeping differences.
class DocumentStep : public QUndoCommand {
 public:
  DocumentStep(std::function<void(const RadioData&)> apply, RadioData before, RadioData after,
               int run)
      : apply_(std::move(apply)), before_(std::move(before)), after_(std::move(after)), run_(run) {}

  void undo() override { apply_(before_); }
  void redo() override { apply_(after_); }
  int id() const override { return run_ ? 1 : -1; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* next = static_cast<const DocumentStep*>(other);
    if (next->run_ != run_) return false;
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
  }

 private:
  std::function<void(const RadioData&)> apply_;
  RadioData before_;
  RadioData after_;
  int run_;
};

}  // namespace

Document::Document(QObject* parent) : QObject(parent) {
  connect(&history_, &QUndoStack::cleanChanged, this,
          [this](bool clean) { emit modifiedChanged(!clean); });
}

void Document::change(const RadioData& after, int run) {
  if (after == data_) return;
  history_.push(new DocumentStep([this](const RadioData& d) { apply(d); }, data_, after, run));
}

void Document::replace(const RadioData& data) {
  history_.clear();
  apply(data);
}

void Document::apply(const RadioData& data) {
  data_ = data;
  emit changed();
}

}  // namespace kv
