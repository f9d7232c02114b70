#include "link/radiojob.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <utility>

#include "exchange/fields.h"
#include "image/backups.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "image/radioimage.h"
#include "model/radiomodel.h"

namespace kv {

// Passes everything on and keeps the last message shown, which tells why a transfer failed.
class RadioJob::Recorder : public TransferObserver {
 public:
  explicit Recorder(TransferObserver& shown) : shown_(shown) {}

  void setCaption(const QString& caption) override { shown_.setCaption(caption); }
  void setProgress(int value) override { shown_.setProgress(value); }
  void setStep(const QString& step) override { shown_.setStep(step); }
  void message(const QString& text, const QString& title, MessageIcon icon) override {
    // The text says why; a title (a serial error's number, the kind of box) is the box's own.
    last_ = text;
    shown_.message(text, title, icon);
  }
  bool cancelled() override { return shown_.cancelled(); }

  QString takeLast() { return std::exchange(last_, {}); }

 private:
  TransferObserver& shown_;
  QString last_;
};

RadioJob::RadioJob(SerialPort& port, Opener open, Clock& clock, TransferObserver& observer,
                   LinkSession& session, Setup setup)
    : port_(port),
      open_(std::move(open)),
      clock_(clock),
      session_(session),
      setup_(std::move(setup)),
      recorder_(std::make_unique<Recorder>(observer)) {}

RadioJob::~RadioJob() = default;

JobOutcome RadioJob::write(const RadioData& data, WriteChecks checks) {
  JobOutcome outcome;
  // A document that cannot become bytes is reported by the write before it sends anything;
  // the radio is not read for it first.
  const EncodedImage sent = encodeImage(data);
  if (!sent.ok()) checks = {};
  const bool readFirst = checks.readFirst || checks.keepTune;
  const int steps = 1 + int(readFirst) + int(checks.verify);
  int step = 0;
  const auto startStep = [&](const QString& name) {
    if (steps > 1)
      recorder_->setStep(QCoreApplication::translate("kv::RadioJob", "步骤 %1/%2：%3")
                             .arg(++step)
                             .arg(steps)
                             .arg(name));
  };

  QByteArray image = sent.bytes;
  if (readFirst) {
    startStep(jobtext::shown(jobtext::kStepReadFirst));
    const auto before = readRadio(
        outcome,
        jobtext::shown(checks.keepTune ? jobtext::kNotReadForTune : jobtext::kReadFirstFailed));
    if (!before) {
      outcome.refused = !outcome.cancelled;
      return outcome;
    }
    // That backup is the option's whole point: without it the radio is not written.
    if (const auto error = keep(outcome, *before, QStringLiteral("before"))) {
      outcome.summary = outcome.report =
          jobtext::shown(jobtext::kBecause).arg(jobtext::shown(jobtext::kReadFirstFailed), *error);
      outcome.refused = true;
      return outcome;
    }
    if (!plan(outcome, checks, *before, image)) return outcome;
  }

  startStep(jobtext::shown(jobtext::kStepWrite));
  bool blocksSent = false;
  const bool written = transfer(outcome, QString(), [&](LinkEngine& engine) {
    const bool ok = sent.ok() ? engine.runWrite(image) : engine.runWrite(data);
    blocksSent = engine.blocksSent();
    return ok;
  });
  if (blocksSent) outcome.writtenImage = image;
  if (!written) {
    if (blocksSent) {
      outcome.writeUnfinished = true;
      outcome.summary += jobtext::shown(jobtext::kMaybeMixed);
    }
    return outcome;
  }
  keepOrWarn(outcome, image, QStringLiteral("write"));
  if (!checks.verify) {
    outcome.ok = true;
    outcome.summary =
        jobtext::shown(checks.keepTune ? jobtext::kWrittenKeptTune : jobtext::kWritten);
    return outcome;
  }

  startStep(jobtext::shown(jobtext::kStepVerify));
  const auto back = readRadio(outcome, jobtext::shown(jobtext::kReadBackFailed));
  if (!back) return outcome;
  outcome.differences = verifyDifferences(image, *back);
  outcome.ok = outcome.differences.isEmpty();
  outcome.matched = outcome.ok;
  outcome.summary = outcome.report = jobtext::shown(!outcome.ok       ? jobtext::kDiffers
                                                    : checks.keepTune ? jobtext::kVerifiedKeptTune
                                                                      : jobtext::kVerified);
  // A radio that holds what was sent is in the write's backup already; one that holds
  // something else is kept as it is.
  if (!outcome.ok) keepOrWarn(outcome, *back, QStringLiteral("read"));
  return outcome;
}

// What the radio read first gets, in `image`: the document's image, with the radio's own
// alignment when it is kept. A radio of another model is written only when the options or the
// user allow it; false when it is not written.
bool RadioJob::plan(JobOutcome& outcome, const WriteChecks& checks, const QByteArray& radio,
                    QByteArray& image) {
  RadioImage planned = imageForRadio(image, radio, {checks.keepTune, checks.anyModel});
  if (planned.refused() && checks.confirmOtherModel &&
      checks.confirmOtherModel(modelNameOfByte(*planned.otherModel),
                               modelNameOfByte(quint8(image[0]))))
    planned = imageForRadio(image, radio, {checks.keepTune, true});
  if (planned.refused()) {
    outcome.refused = true;
    outcome.summary = outcome.report =
        checks.confirmOtherModel
            ? jobtext::shown(jobtext::kNotWritten)
            : jobtext::shown(jobtext::kOtherModel).arg(modelNameOfByte(*planned.otherModel));
    return false;
  }
  image = planned.bytes;
  return true;
}

JobOutcome RadioJob::read(const QString& scratchPath, const LinkEngine::Loader& load) {
  JobOutcome outcome;
  bool complete = false;
  outcome.ok = transfer(outcome, QString(), [&](LinkEngine& engine) {
    const bool ok = engine.runRead(scratchPath, load);
    complete = engine.readComplete();
    if (complete) outcome.readImage = engine.readImage();
    outcome.receivedLines = engine.receivedLines();
    return ok;
  });
  // What the radio held is worth keeping even when it does not load.
  if (complete) keepOrWarn(outcome, outcome.readImage, QStringLiteral("read"));
  return outcome;
}

bool RadioJob::transfer(JobOutcome& outcome, const QString& context,
                        const std::function<bool(LinkEngine&)>& run) {
  recorder_->takeLast();
  // Reported as the window's read and write commands report a port that does not open.
  if (const auto error = open_()) {
    recorder_->message(error->description, QString::number(error->number),
                       MessageIcon::Information);
    fail(outcome, context, false);
    return false;
  }
  if (transfers_++ > 0) settle();
  LinkEngine engine(port_, clock_, *recorder_, session_, setup_.options);
  if (run(engine)) return true;
  fail(outcome, context, engine.timedOut());
  return false;
}

// A transfer does not wait for the radio's answer to its last packet, which may still be on
// its way when the next transfer opens the port. Taken for the start of an answer, it would
// hold up the next handshake; so the line is let fall quiet first.
void RadioJob::settle() {
  constexpr int kQuietMs = 100;
  constexpr int kLongestMs = 1000;  // a line that never falls quiet is the handshake's problem
  const qint64 end = clock_.nowMs() + kLongestMs;
  port_.clearInput();
  while (port_.waitForReadyRead(kQuietMs) && clock_.nowMs() < end) port_.clearInput();
  port_.clearInput();
}

std::optional<QByteArray> RadioJob::readRadio(JobOutcome& outcome, const QString& context) {
  QByteArray image;
  const bool read = transfer(outcome, context, [&](LinkEngine& engine) {
    const bool complete = engine.runRead(QString(), [](const QString&) { return true; });
    image = engine.readImage();
    return complete;
  });
  if (!read) return std::nullopt;
  return image;
}

void RadioJob::fail(JobOutcome& outcome, const QString& context, bool timedOut) {
  outcome.ok = false;
  outcome.timedOut = timedOut;
  outcome.cancelled = recorder_->cancelled();
  const QString why = recorder_->takeLast();
  if (outcome.cancelled) {
    outcome.summary = jobtext::shown(jobtext::kCancelled);
    return;
  }
  outcome.report = context;
  if (context.isEmpty())
    outcome.summary = why.isEmpty() ? jobtext::shown(jobtext::kFailed) : why;
  else
    outcome.summary = why.isEmpty() ? context : jobtext::shown(jobtext::kBecause).arg(context, why);
}

std::optional<QString> RadioJob::keep(JobOutcome& outcome, const QByteArray& image,
                                      const QString& direction) {
  if (!setup_.backups) return std::nullopt;
  const Backup backup = setup_.backups->keep(image, direction, setup_.device);
  // A write's own backup names it even after the one of what the radio held before; a
  // verify's read-back of a radio that differs does not.
  if (!backup.error && (outcome.backup.isEmpty() || direction == QLatin1String("write")))
    outcome.backup = QFileInfo(backup.path).fileName();
  return backup.error;
}

// The backups of a read or a write only help to undo a mistake: one not kept is a warning.
void RadioJob::keepOrWarn(JobOutcome& outcome, const QByteArray& image, const QString& direction) {
  if (const auto error = keep(outcome, image, direction))
    outcome.backupWarnings << jobtext::shown(jobtext::kBackupFailed).arg(*error);
}

QString jobtext::stepLine(const QString& step, const QString& caption) {
  if (step.isEmpty()) return caption;
  // A step's transfer reads or writes as its name says; only the handshake adds to it.
  return caption == linktext::shown(linktext::kConnecting)
             ? QCoreApplication::translate("kv::jobtext", "%1，正在连接对讲机。。。").arg(step)
             : QCoreApplication::translate("kv::jobtext", "%1。。。").arg(step);
}

QStringList verifyDifferences(const QByteArray& sent, const QByteArray& readBack) {
  constexpr int kChecked = kDataBlockCount * kBlockSize;
  if (sent.left(kChecked) == readBack.left(kChecked)) return {};
  const WholeLoad from = loadWholeChpText(chpText(sent));
  const WholeLoad to = loadWholeChpText(chpText(readBack));
  if (from.data && to.data) {
    const QStringList fields = documentDifferences(*from.data, *to.data);
    if (!fields.isEmpty()) return fields;
  }
  QStringList bytes;
  for (int at = 0; at < kChecked; ++at)
    if (sent[at] != readBack[at]) bytes << byteDifference(sent, readBack, at);
  return bytes;
}

}  // namespace kv
