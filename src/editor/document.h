#pragma once

#include <QObject>
#include <QUndoStack>

#include "model/radiodata.h"

namespace kv {

// The one document of the main window with its history. Every change a user makes goes
// through change() and becomes one step that 撤销 takes back; opening or reading a file starts
// a new history. Nobody else holds the document to change it in place. The document counts as
// modified while the history is away from the step it was last saved, opened or read at.
class Document : public QObject {
  Q_OBJECT
 public:
  explicit Document(QObject* parent = nullptr);
  // The history's last signal, sent while it is destroyed, would reach a document and a
  // window that are already going away.
  ~Document() override { history_.disconnect(this); }

  const RadioData& data() const { return data_; }

  // Makes `after` the document as one step. The changes of one run of typing into a cell
  // carry the same nonzero `run` and join into one step; a run that ends where it began
  // leaves no step behind. A change that changes nothing is no step.
  void change(const RadioData& after, int run = 0);
  // The document of a file opened or read: a new history, nothing to save.
  void replace(const RadioData& data);

  bool isModified() const { return !history_.isClean(); }
  void markSaved() { history_.setClean(); }
  QUndoStack& history() { return history_; }

 signals:
  // The document changed by a step, an undo, a redo or a replacement.
  void changed();
  void modifiedChanged(bool modified);

 private:
  void apply(const RadioData& data);

  RadioData data_;
  QUndoStack history_;
};

}  // namespace kv
