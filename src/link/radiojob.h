#pragma once

#include <QCoreApplication>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "link/linkengine.h"

namespace kv {

// What a write does besides sending the image.
struct WriteChecks {
  bool readFirst = false;  // read the radio first and keep what it held as a "before" backup
  bool verify = false;     // read the radio back afterwards and compare
  // Give the radio back its own crystal, IF side and power trim: reads it first, as readFirst.
  bool keepTune = false;
  // Write a radio read first that holds another model than the document's; else it is refused.
  bool anyModel = false;
  // Where someone can be asked (the window's 写频): whether to write that radio all the same,
  // given its model's name and the document's. Asked instead of refusing it.
  std::function<bool(const QString& radioModel, const QString& documentModel)> confirmOtherModel =
      {};
};

// The words of a job on one radio.
namespace jobtext {
inline const QString kWritten = QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "写入成功"));
inline const QString kVerified = QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "写频并校验成功"));
inline const QString kWrittenKeptTune =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "写入成功（保留了对讲机的调整值）"));
inline const QString kVerifiedKeptTune =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "写入并校验成功（保留了对讲机的调整值）"));
// A radio whose own alignment is kept and that could not be read for it.
inline const QString kNotReadForTune =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "读取对讲机失败，没有写入"));
inline const QString kOtherModel =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "型号不同（对讲机：%1），没有写入"));
// The user chose not to write a radio of another model.
inline const QString kNotWritten = QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "没有写入。"));
inline const QString kDiffers =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "校验失败，对讲机中的数据与写入的不同"));
inline const QString kReadFirstFailed =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "写频前备份没有完成，没有写入"));
// After a write that began sending blocks and did not finish.
inline const QString kMaybeMixed = QStringLiteral(
    QT_TRANSLATE_NOOP("kv::jobtext", "（对讲机中可能是新旧混杂的数据，请重新写频）"));
inline const QString kCancelledMidWrite = QStringLiteral(
    QT_TRANSLATE_NOOP("kv::jobtext", "写频没有完成，对讲机中可能是新旧混杂的数据，请重新写频。"));
inline const QString kReadBackFailed =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "写入完成，但读回校验没有完成"));
inline const QString kCancelled = QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "已取消"));
inline const QString kFailed = QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "传输失败"));
// What did not happen and why, joined as the language joins them.
inline const QString kBecause = QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "%1：%2"));
inline const QString kBackupFailed =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "无法保存备份：%1"));
inline const QString kStepReadFirst =
    QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "写频前备份"));
inline const QString kStepWrite = QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "写频"));
inline const QString kStepVerify = QStringLiteral(QT_TRANSLATE_NOOP("kv::jobtext", "读回校验"));
// One of the texts above in the current language.
inline QString shown(const QString& text) {
  return QCoreApplication::translate("kv::jobtext", text.toUtf8().constData());
}
// A step ("步骤 1/2：写频") and the caption of its transfer as one phrase, where one line shows
// both (a batch row, kvprog-cli's board): while the radio is being reached, that it is; after
// that the step alone says what is going on ("Step 1 of 2: writing…").
QString stepLine(const QString& step, const QString& caption);
}  // namespace jobtext

// How a job on one radio ended.
struct JobOutcome {
  bool ok = false;
  bool cancelled = false;
  bool timedOut = false;  // a wait for the radio ran out of time
  // The write began sending blocks and did not finish: the radio may hold old and new data
  // mixed.
  bool writeUnfinished = false;
  // One line: kWritten, kVerified, or why not (the message that ended the transfer, after
  // the step it ended, when that matters, and kMaybeMixed after an unfinished write).
  QString summary;
  // What the messages shown during the transfers have not said: a verify's result, a read
  // or a "before" backup that kept the write from starting, a read-back that did not finish.
  // Empty otherwise.
  QString report;
  QStringList differences;     // a failed verify's lines, as `kvprog-cli diff` prints them
  QStringList backupWarnings;  // why a backup could not be kept
  QByteArray readImage;        // a read's memory image, when all 128 blocks came
  QByteArray receivedLines;    // a read's answers as the scratch file's lines, as many as came
  // The exact image a write sent to the radio (the document's, or with the radio's own
  // alignment in it), once it began sending; empty when it never did.
  QByteArray writtenImage;
  // The write never began, on purpose rather than by a failure: the radio read first holds
  // another model, or could not be read or kept as its "before" backup, or the user declined.
  bool refused = false;
  // What the job log records besides.
  QString backup;               // the file name of the backup of the image written or read; for
                                // a write that did not get there, of what the radio held before
  std::optional<bool> matched;  // a verify's result, once the radio was read back
};

class BackupStore;

// The transfers on one radio's port: a read, or a write with its checks, each image kept as
// a backup. Every transfer follows the protocol on its own and closes the port at its end,
// so the next one opens it again.
class RadioJob {
 public:
  // Opens the port when it is not open.
  using Opener = std::function<std::optional<Failure>()>;

  struct Setup {
    QString device;                  // names the backups
    BackupStore* backups = nullptr;  // none: no backups
    LinkOptions options;
  };

  RadioJob(SerialPort& port, Opener open, Clock& clock, TransferObserver& observer,
           LinkSession& session, Setup setup);
  ~RadioJob();

  JobOutcome write(const RadioData& data, WriteChecks checks = {});
  // As LinkEngine::runRead, with the image of a complete read kept and the lines received in
  // the outcome.
  JobOutcome read(const QString& scratchPath, const LinkEngine::Loader& load);

 private:
  class Recorder;
  bool transfer(JobOutcome& outcome, const QString& context,
                const std::function<bool(LinkEngine&)>& run);
  std::optional<QByteArray> readRadio(JobOutcome& outcome, const QString& context);
  bool plan(JobOutcome& outcome, const WriteChecks& checks, const QByteArray& radio,
            QByteArray& image);
  void settle();
  void fail(JobOutcome& outcome, const QString& context, bool timedOut);
  // Keeps `image` as a backup, named in the outcome; why not when it could not be kept.
  std::optional<QString> keep(JobOutcome& outcome, const QByteArray& image,
                              const QString& direction);
  void keepOrWarn(JobOutcome& outcome, const QByteArray& image, const QString& direction);

  SerialPort& port_;
  Opener open_;
  Clock& clock_;
  LinkSession& session_;
  Setup setup_;
  std::unique_ptr<Recorder> recorder_;
  int transfers_ = 0;
};

// What a verify reports when the radio's blocks 0..33 (the settings and the 16 channels; a
// radio may keep other data in the rest) differ from those sent: one line per field, in the
// form of `kvprog-cli diff` ("channel 3 rx_freq: 450.12500 -> 450.12400"), or where no field
// shows the difference, one line per byte ("address 0x0013: 43 -> 42"). Both images are
// whole (1024 bytes).
QStringList verifyDifferences(const QByteArray& sent, const QByteArray& readBack);

}  // namespace kv
