#include "transfer/transfercommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMainWindow>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <memory>

#include "exchange/fields.h"
#include "image/backups.h"
#include "image/joblog.h"
#include "image/memoryimage.h"
#include "link/jobrecord.h"
#include "model/valuetexts.h"
#include "transfer/linkcheckcommand.h"
#include "transfer/portchoice.h"
#include "transfer/transferjob.h"
#include "ui/prompts.h"

namespace kv {
namespace {

// What outlives a single transfer: the receive mode, for the whole run.
struct RunState {
  LinkSession session;
  LinkOptions options;
};

RunState& run() {
  static RunState state;
  return state;
}

void reportError(QWidget* parent, const Failure& error) {
  prompts::message(parent, error.description, QString::number(error.number),
                   prompts::Icon::Information);
}

}  // namespace

namespace {

// The forms of a difference line for each pair of sides: a channel's field, a byte, a setting.
// The Chinese forms show the sides by their order alone; the English ones name them.
struct Form {
  const char* source;
  const char* comment;
};
constexpr Form kDifferenceForms[2][3] = {
    {QT_TRANSLATE_NOOP3("kv::TransferCommands", "信道%1 %2：%3 → %4", "window, radio"),
     QT_TRANSLATE_NOOP3("kv::TransferCommands", "地址%1：%2 → %3", "window, radio"),
     QT_TRANSLATE_NOOP3("kv::TransferCommands", "%1%2 → %3", "window, radio")},
    {QT_TRANSLATE_NOOP3("kv::TransferCommands", "信道%1 %2：%3 → %4", "written, radio"),
     QT_TRANSLATE_NOOP3("kv::TransferCommands", "地址%1：%2 → %3", "written, radio"),
     QT_TRANSLATE_NOOP3("kv::TransferCommands", "%1%2 → %3", "written, radio")},
};

QString differenceForm(DifferenceSides sides, int form) {
  const Form& f = kDifferenceForms[int(sides)][form];
  return QCoreApplication::translate("kv::TransferCommands", f.source, f.comment);
}

}  // namespace

QString differenceText(const QString& line, DifferenceSides sides) {
  static const QRegularExpression difference(QStringLiteral("^(.+?): (.*) -> (.*)$"));
  static const QRegularExpression channel(QStringLiteral("^channel (\\d+) (\\w+)$"));
  static const QRegularExpression address(QStringLiteral("^address (0x[0-9A-F]{4})$"));
  const QRegularExpressionMatch m = difference.match(line);
  if (!m.hasMatch()) return line;
  const QString field = m.captured(1);
  const QString from = valueText(m.captured(2));
  const QString to = valueText(m.captured(3));
  if (const QRegularExpressionMatch c = channel.match(field); c.hasMatch()) {
    for (int column = kRxFreq; column <= kTxPower; ++column)
      if (channelFieldKey(column) == c.captured(2))
        return differenceForm(sides, 0).arg(c.captured(1), columnCaption(column), from, to);
  } else if (const QRegularExpressionMatch a = address.match(field); a.hasMatch()) {
    return differenceForm(sides, 1).arg(a.captured(1), m.captured(2), m.captured(3));
  } else if (const QString caption = fieldCaption(field); !caption.isEmpty()) {
    // The caption ends in its colon: "静噪等级：4 → 6", "Squelch level: window 4, radio 6".
    return differenceForm(sides, 2).arg(caption, from, to);
  }
  return line;
}

namespace {

// A verify's differences are listed in full by kvprog-cli; a message box shows the first ones.
constexpr int kDifferencesShown = 20;

// What the messages shown during the transfer have not said: the verify's result, a step
// that kept the write from starting or did not finish after it, a write cancelled part way,
// a scratch file not saved, backups not kept.
void reportOutcome(QWidget* parent, const JobOutcome& outcome, const QString& scratchWarning) {
  if (!outcome.report.isEmpty()) {
    // The words are those of kvprog-cli's "DEVICE: written" lines; a message begins a sentence.
    QString text = outcome.report;
    text[0] = text[0].toUpper();
    if (!outcome.differences.isEmpty()) {
      QStringList shown;
      // Only a verify has written anything; a comparison puts the window beside the radio.
      const DifferenceSides sides = outcome.writtenImage.isEmpty()
                                        ? DifferenceSides::WindowAndRadio
                                        : DifferenceSides::WrittenAndRadio;
      for (const QString& line : outcome.differences.mid(0, kDifferencesShown))
        shown << differenceText(line, sides);
      text = QCoreApplication::translate("kv::TransferCommands", "%1：\n\n%2")
                 .arg(text, shown.join('\n'));
      if (outcome.differences.size() > kDifferencesShown)
        text += QCoreApplication::translate("kv::TransferCommands", "\n……另有 %n 处不同", nullptr,
                                            int(outcome.differences.size() - kDifferencesShown));
    }
    prompts::message(parent, text, QCoreApplication::translate("kv::TransferCommands", "提示"),
                     outcome.ok ? prompts::Icon::Information : prompts::Icon::Warning);
  }
  // A failed write has said so in its own message; a cancel says nothing of the radio.
  if (outcome.cancelled && outcome.writeUnfinished)
    prompts::message(parent, jobtext::shown(jobtext::kCancelledMidWrite),
                     QCoreApplication::translate("kv::TransferCommands", "提示"),
                     prompts::Icon::Warning);
  if (!scratchWarning.isEmpty())
    prompts::message(parent, scratchWarning,
                     QCoreApplication::translate("kv::TransferCommands", "提示"),
                     prompts::Icon::Warning);
  for (const QString& warning : outcome.backupWarnings)
    prompts::message(parent, warning, QCoreApplication::translate("kv::TransferCommands", "提示"),
                     prompts::Icon::Warning);
}

// The main window's status bar shows the port; after a finished transfer it says so before
// it, until the next transfer or port choice.
void showPortInStatusBar(QWidget* parent, const QString& done = {}) {
  if (auto* window = qobject_cast<QMainWindow*>(parent))
    window->statusBar()->showMessage(done + currentPortText());
}

// Runs `request` in the progress window, then reports its outcome, which `judge`, when given,
// has looked at first (a comparison), and records it in the job log. The transfer's outcome,
// or nothing when it never began.
std::optional<JobOutcome> runTransfer(QWidget* parent, TransferJob::Request request,
                                      const std::function<void(JobOutcome&)>& judge = {}) {
  showPortInStatusBar(parent);
  const auto device = currentPortDevice();
  if (const auto* missing = std::get_if<Failure>(&device)) {
    reportError(parent, *missing);
    return std::nullopt;
  }
  request.device = std::get<QString>(device);
  request.options = run().options;
  BackupStore backups(backupFolder());
  request.backups = &backups;
  const bool write = request.writeData.has_value();
  const QString scratch = request.scratchPath;
  // A comparison is the read that is judged.
  const QString action = write   ? QStringLiteral("write")
                         : judge ? QStringLiteral("compare")
                                 : QStringLiteral("read");
  const PortInfo port = listedPort(request.device);
  const auto record = [&](const JobOutcome& outcome) {
    recordJobs(parent, {jobEntry(action, outcome, currentPortName(), port)});
  };
  TransferJob job(std::move(request), run().session);
  job.setMessageParent(parent);
  job.start();
  if (const auto error = job.waitUntilOpen()) {
    reportError(parent, *error);
    JobOutcome failed;
    failed.summary = error->description;
    record(failed);
    return std::nullopt;
  }
  // A scratch file that stays would have this read's lines appended to the last one's, and
  // the old data would load as if read from the radio.
  if (!write && QFile::exists(scratch) && !QFile::remove(scratch)) {
    reportError(
        parent,
        {errnum::kFileAccess,
         QCoreApplication::translate("kv::TransferCommands", "无法删除文件“%1”").arg(scratch)});
    return std::nullopt;
  }

  runInProgressWindow(parent, job);
  JobOutcome outcome = job.outcome();
  if (judge) judge(outcome);
  reportOutcome(parent, outcome, job.scratchWarning());
  if (job.succeeded())
    showPortInStatusBar(parent,
                        write ? QCoreApplication::translate("kv::TransferCommands", "写频成功：")
                              : QCoreApplication::translate("kv::TransferCommands", "读频成功："));
  else if (job.notLoaded())
    showPortInStatusBar(parent, QCoreApplication::translate("kv::TransferCommands", "读频失败："));
  record(outcome);
  if (job.checkRequested()) runCheckCommand(parent, std::get<QString>(device));
  return outcome;
}

bool succeeded(const std::optional<JobOutcome>& outcome) { return outcome && outcome->ok; }

}  // namespace

bool confirmWrite(QWidget* parent, int radios) {
  const QString text =
      radios > 1 ? QCoreApplication::translate("kv::TransferCommands",
                                               "确定要开始向%n台对讲机写频吗?", nullptr, radios)
                 : QCoreApplication::translate("kv::TransferCommands", "确定要开始写频吗?");
  return prompts::message(parent, text,
                          QCoreApplication::translate("kv::TransferCommands", "写频进度显示"),
                          prompts::Icon::None, prompts::Buttons::OkCancel);
}

bool runWriteCommand(QWidget* parent, const RadioData& data, WriteChecks checks) {
  if (!confirmWrite(parent)) return false;
  TransferJob::Request request;
  request.writeData = data;
  request.checks = checks;
  return succeeded(runTransfer(parent, std::move(request)));
}

bool runReadCommand(QWidget* parent, const std::function<bool(const QString& scratchPath)>& load,
                    const std::function<bool(const QByteArray& lines)>& loadLines) {
  if (!prompts::message(parent,
                        QCoreApplication::translate("kv::TransferCommands", "确定要开始读频吗?"),
                        QCoreApplication::translate("kv::TransferCommands", "读频进度显示"),
                        prompts::Icon::None, prompts::Buttons::OkCancel))
    return false;
  TransferJob::Request request;
  request.scratchPath = scratchFilePath();
  request.load = load;
  request.loadLines = loadLines;
  return succeeded(runTransfer(parent, std::move(request)));
}

bool runCompareCommand(QWidget* parent, const RadioData& data) {
  // A document that cannot become bytes has nothing to compare; it is reported as a write
  // would report it, before the radio is read.
  const EncodedImage window = encodeImage(data);
  if (!window.ok()) {
    reportError(parent, {errnum::kTypeMismatch, window.error->description()});
    return false;
  }
  // A read that only looks: no scratch file, nothing loaded.
  return succeeded(runTransfer(parent, {}, [&window](JobOutcome& outcome) {
    if (!outcome.ok || outcome.readImage.size() != kImageSize) return;
    outcome.differences = verifyDifferences(window.bytes, outcome.readImage);
    outcome.ok = outcome.differences.isEmpty();
    outcome.matched = outcome.ok;
    outcome.report =
        outcome.ok
            ? QCoreApplication::translate("kv::TransferCommands", "对讲机中的数据与当前数据相同")
            : QCoreApplication::translate("kv::TransferCommands", "对讲机中的数据与当前数据不同");
  }));
}

QString scratchFilePath() {
  // Two programs reading two radios at once would delete and fill each other's file: each
  // running program takes one of its own, "received.chp" for the first and "received-2.chp"
  // for a second one beside it, held by a lock beside it for the rest of the run.
  struct Claim {
    QString folder;
    QString path;
    std::unique_ptr<QLockFile> lock;
  };
  static Claim claim;
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(folder);
  if (claim.folder == folder) return claim.path;
  claim = {folder, QString(), nullptr};
  constexpr int kPrograms = 100;  // past these many, a lock that cannot be taken is shared
  for (int n = 1; n <= kPrograms; ++n) {
    claim.path = QDir(folder).filePath(n == 1 ? QStringLiteral("received.chp")
                                              : QStringLiteral("received-%1.chp").arg(n));
    claim.lock = std::make_unique<QLockFile>(claim.path + QStringLiteral(".lock"));
    // Stale only once the program that took it has ended. A folder that takes no lock
    // file gives the first name; the read reports that folder's trouble itself.
    claim.lock->setStaleLockTime(0);
    if (claim.lock->tryLock(0) || claim.lock->error() != QLockFile::LockFailedError) break;
  }
  return claim.path;
}

void recordJobs(QWidget* window, const QList<JobEntry>& entries) {
  std::optional<QString> error;
  for (const JobEntry& entry : entries)
    if (auto failed = appendToJobLog(entry); failed && !error) error = std::move(failed);
  auto* main = qobject_cast<QMainWindow*>(window);
  if (!error || !main || main->statusBar()->currentMessage().contains(*error)) return;
  // Beside what the status bar says of the transfer, which stays true.
  QStatusBar* bar = main->statusBar();
  bar->showMessage(bar->currentMessage().isEmpty()
                       ? *error
                       : QStringLiteral("%1  %2").arg(bar->currentMessage(), *error));
}

void setLinkOptions(const LinkOptions& options) { run().options = options; }

const LinkOptions& linkOptions() { return run().options; }

}  // namespace kv
