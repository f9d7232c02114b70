// kvprog-cli against several kvsim radios at once: a fleet written in parallel, verify after
// write, the backups of every image and the read before a write.
#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "clirun.h"
#include "image/backups.h"
#include "image/chpfile.h"
#include "image/joblog.h"
#include "image/memoryimage.h"
#include "kvsimprocess.h"
#include "link/radiojob.h"
#include "sampledata.h"
#include "testfiles.h"
#include "usersettingsdir.h"

using namespace kv;
using kvtest::KvsimProcess;
using kvtest::runCli;

namespace {

// Radios started side by side, each with its memory in a file of its own.
class Fleet {
 public:
  Fleet(const QTemporaryDir& dir, const QList<QStringList>& faults) {
    static int fleets = 0;  // the fleets of one test keep apart from each other's files
    ++fleets;
    for (const QStringList& fault : faults) {
      images_ << dir.filePath(QStringLiteral("radio%1-%2.bin").arg(fleets).arg(radios_.size()));
      radios_.push_back(
          std::make_unique<KvsimProcess>(QStringList{"--image", images_.last()} + fault));
    }
  }
  QString device(int i) const { return radios_[i]->device(); }
  QByteArray memory(int i) const { return kvtest::readAll(images_[i]); }
  // --port for every radio.
  QStringList ports() const {
    QStringList args;
    for (const auto& radio : radios_) args << "--port" << radio->device();
    return args;
  }

 private:
  std::vector<std::unique_ptr<KvsimProcess>> radios_;
  QStringList images_;
};

// The lines of the summary on stdout that belong to `device`, without its name.
QStringList linesOf(const QString& out, const QString& device) {
  QStringList lines;
  for (const QString& line : out.split('\n'))
    if (line.startsWith(device + ": ")) lines << line.mid(device.size() + 2);
  return lines;
}

QString sampleFile(const QTemporaryDir& dir) {
  const QString path = dir.filePath("in.chp");
  return saveChpFile(path, kvtest::sampleRadioData()) ? QString() : path;
}

}  // namespace

class TestFleetE2E : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { kvtest::useTemporaryDataFolders(); }

  void everyRadioGetsTheImageAndAFailureStaysItsOwn() {
    QTemporaryDir dir;
    const QString in = sampleFile(dir);
    const QByteArray image = encodeImage(kvtest::sampleRadioData()).bytes;
    {
      Fleet fleet(dir, {{}, {}, {}});
      const kvtest::CliRun run =
          runCli(QStringList{"write", "--timeout", "2"} + fleet.ports() << in);
      QCOMPARE(run.exitCode, 0);
      for (int i = 0; i < 3; ++i) {
        QCOMPARE(fleet.memory(i), image);
        QCOMPARE(linesOf(run.out, fleet.device(i)), QStringList{jobtext::kWritten});
      }
      QVERIFY2(run.err.contains(fleet.device(2) + ": " + linktext::kWriting), qPrintable(run.err));
    }
    // The radio in the middle rejects block 20: it alone fails, and says why.
    Fleet fleet(dir, {{}, {"--nak-at", "20"}, {}});
    const kvtest::CliRun run = runCli(QStringList{"write", "--timeout", "2"} + fleet.ports() << in);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(linesOf(run.out, fleet.device(1)),
             QStringList{linktext::kCommError + jobtext::kMaybeMixed});
    QVERIFY(fleet.memory(1) != image);
    for (int i : {0, 2}) {
      QCOMPARE(fleet.memory(i), image);
      QCOMPARE(linesOf(run.out, fleet.device(i)), QStringList{jobtext::kWritten});
    }
  }

  void ctrlCCancelsEveryRadio() {
    QTemporaryDir dir;
    Fleet fleet(dir, {{"--no-handshake"}, {"--no-handshake"}});
    const kvtest::CliRun run =
        kvtest::interruptCli(QStringList{"write"} + fleet.ports() << sampleFile(dir));
    QVERIFY(run.stopMs >= 0 && run.stopMs < 500);
    QCOMPARE(run.exitCode, 130);
    for (int i = 0; i < 2; ++i)
      QCOMPARE(linesOf(run.out, fleet.device(i)), QStringList{jobtext::kCancelled});
  }

  void verifyNamesWhatTheRadioKeptWrong() {
    QTemporaryDir dir;
    // 0x30 is channel 3's receive frequency (460.10000 stored as 00 00 10 46); 0x0F a byte
    // of function block 2 that no field uses.
    Fleet fleet(dir, {{}, {"--corrupt-at", "0x30"}, {"--corrupt-at", "15"}});
    const kvtest::CliRun run = runCli(
        QStringList{"write", "--verify", "--timeout", "2"} + fleet.ports() << sampleFile(dir));
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(linesOf(run.out, fleet.device(0)), QStringList{jobtext::kVerified});
    QCOMPARE(linesOf(run.out, fleet.device(1)),
             (QStringList{jobtext::kDiffers, "channel 3 rx_freq: 460.10000 -> 460.10001"}));
    QCOMPARE(linesOf(run.out, fleet.device(2)),
             (QStringList{jobtext::kDiffers, "address 0x000F: FF -> FE"}));
  }

  void backupsKeepEveryImageUnderItsName() {
    QTemporaryDir dir;
    const QByteArray oldLines = QByteArray(kvtest::readAll(kvtest::fixturePath("example.chp")));
    const WholeLoad old = loadWholeChpText(oldLines);
    QVERIFY(old.data);
    const QByteArray oldImage = encodeImage(*old.data).bytes;
    QVERIFY(kvtest::writeAll(dir.filePath("radio1.bin"), oldImage));
    // The first radio holds another plan; the second rejects its third block, so its read
    // before the write fails and it is never written.
    const KvsimProcess radio({"--image", dir.filePath("radio1.bin")});
    const KvsimProcess rejecting({"--image", dir.filePath("radio2.bin"), "--nak-at", "3"});
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
    const QString backups = dir.filePath("data/kvprog/backups");
    const auto kept = [&] { return QDir(backups).entryList(QDir::Files); };
    const auto named = [&](const char* direction) {
      const QRegularExpression name(
          QStringLiteral(R"(^\d{8}-\d{6}-%1-%2(-KV--[\w()]+)?\.chp$)")
              .arg(QLatin1String(direction), backupPortName(radio.device())));
      QStringList found = kept();
      found.removeIf([&](const QString& n) { return !name.match(n).hasMatch(); });
      return found.isEmpty() ? QString() : QDir(backups).filePath(found.join(' '));
    };

    const kvtest::CliRun write =
        runCli({"write", "--read-first", "--verify", "--any-model", "--timeout", "2", "--port",
                radio.device(), "--port", rejecting.device(), sampleFile(dir)});
    QCOMPARE(write.exitCode, 1);
    QCOMPARE(linesOf(write.out, radio.device()), QStringList{jobtext::kVerified});
    QCOMPARE(linesOf(write.out, rejecting.device()),
             QStringList{jobtext::kReadFirstFailed + "：" + linktext::kCommError});
    QCOMPARE(kvtest::readAll(dir.filePath("radio2.bin")), QByteArray(kImageSize, char(0xFF)));
    // What the radio held before, and what it was given; a read-back that matched is the
    // write's backup already.
    QCOMPARE(kept().size(), 2);
    QCOMPARE(kvtest::readAll(named("before")), chpText(oldImage));
    QCOMPARE(kvtest::readAll(named("write")),
             chpText(encodeImage(kvtest::sampleRadioData()).bytes));

    QCOMPARE(runCli({"read", "--timeout", "2", "--port", radio.device(), dir.filePath("out.chp")})
                 .exitCode,
             0);
    QCOMPARE(kvtest::readAll(named("read")), chpText(encodeImage(kvtest::sampleRadioData()).bytes));
    QCOMPARE(runCli({"write", "--no-backup", "--port", radio.device(), sampleFile(dir)}).exitCode,
             0);
    QCOMPARE(kept().size(), 3);

    // A data folder that cannot hold the backups: a warning, and the write still succeeds.
    QVERIFY(kvtest::writeAll(dir.filePath("blocked"), "a file where a folder should be"));
    qputenv("XDG_DATA_HOME", dir.filePath("blocked").toLocal8Bit());
    const kvtest::CliRun blocked = runCli({"write", "--port", radio.device(), sampleFile(dir)});
    QCOMPARE(blocked.exitCode, 0);
    QVERIFY2(blocked.err.contains("kvprog-cli: warning: " + radio.device() + ": 无法保存备份："),
             qPrintable(blocked.err));
    // Except the "before" backup: without it the radio is not written at all.
    const kvtest::CliRun first = runCli(
        {"write", "--read-first", "--port", radio.device(), kvtest::fixturePath("example.chp")});
    QCOMPARE(first.exitCode, 1);
    QCOMPARE(linesOf(first.out, radio.device()),
             QStringList{jobtext::kReadFirstFailed + "：无法创建文件夹“" +
                         dir.filePath("blocked/kvprog/backups") + "”"});
    QCOMPARE(kvtest::readAll(dir.filePath("radio1.bin")),
             encodeImage(kvtest::sampleRadioData()).bytes);
    qputenv("XDG_DATA_HOME", data);
  }

  // `kvprog-cli log` lists what every radio's job recorded, oldest first: a write to two radios
  // (one refusing a block) and a read, with the hash of the image and its backup. A log that
  // cannot be written is a warning and fails no job.
  void theJobLogListsEveryRadiosJob() {
    QTemporaryDir dir;
    const QString in = sampleFile(dir);
    const QString sha = QCryptographicHash::hash(encodeImage(kvtest::sampleRadioData()).bytes,
                                                 QCryptographicHash::Sha256)
                            .toHex();
    const QDir data(QDir(kvtest::useTemporaryDataFolders()).filePath("kvprog"));
    const QString log = data.filePath("jobs.jsonl");
    QFile::remove(log);
    Fleet fleet(dir, {{}, {"--nak-at", "9"}});
    QCOMPARE(runCli(QStringList{"write", "--timeout", "2"} + fleet.ports() << in).exitCode, 1);
    QCOMPARE(runCli({"read", "--port", fleet.device(0), dir.filePath("out.chp")}).exitCode, 0);

    const kvtest::CliRun listed = runCli({"log", "--json"});
    QCOMPARE(listed.exitCode, 0);
    const QJsonArray lines = QJsonDocument::fromJson(listed.out.toUtf8()).array();
    QCOMPARE(lines.size(), 3);
    const struct {
      const char* action;
      int radio;
      const char* outcome;
    } expected[] = {{"write", 0, "ok"}, {"write", 1, "failed"}, {"read", 0, "ok"}};
    for (int i = 0; i < 3; ++i) {
      const QJsonObject line = lines[i].toObject();
      QCOMPARE(line["action"].toString(), QString(expected[i].action));
      QCOMPARE(line["port"].toString(), fleet.device(expected[i].radio));
      QCOMPARE(line["outcome"].toString(), QString(expected[i].outcome));
      QCOMPARE(line["sha256"].toString(), sha);
      QCOMPARE(line["model"].toString(), QStringLiteral("KV--410B(3)"));
      QVERIFY(QDateTime::fromString(line["time"].toString(), Qt::ISODate).isValid());
      const QString backup = line["backup"].toString();
      QCOMPARE(backup.isEmpty(), i == 1);
      QVERIFY(backup.isEmpty() || QFile::exists(data.filePath("backups/" + backup)));
    }
    QCOMPARE(lines[1].toObject()["failure"].toString(),
             linktext::kCommError + jobtext::kMaybeMixed);

    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
    const QStringList text = runCli({"log", "--since", today}).out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(text.size(), 3);
    QVERIFY2(text[1].contains("\twrite\tfailed\t" + fleet.device(1) + '\t'), qPrintable(text[1]));
    QCOMPARE(runCli({"log", "--since", tomorrow}).out, QString());
    QCOMPARE(runCli({"log", "--since", "8.12.2026"}).exitCode, 1);

    QVERIFY(QFile::remove(log) && QDir().mkpath(log));  // no file can be written there
    const kvtest::CliRun unlogged =
        runCli({"read", "--port", fleet.device(0), dir.filePath("out.chp")});
    QCOMPARE(unlogged.exitCode, 0);
    QVERIFY2(unlogged.err.contains("kvprog-cli: warning: 无法写入写频记录“" + log + "”："),
             qPrintable(unlogged.err));
    QVERIFY(QDir(log).removeRecursively());
  }

  // A plan first: what a write would change in each radio, its own alignment kept, and a radio
  // of another model refused; then the write does as planned, and --any-model writes that radio.
  void dryRunThenAWriteThatKeepsEachRadiosOwn() {
    QTemporaryDir dir;
    const RadioData plan = kvtest::sampleRadioData();  // KV--410B(3), squelch 7, trim 3
    RadioData own = plan;
    own.settings.squelch = 2;
    own.tune = {"1", "1", 3};
    RadioData other = plan;
    other.settings.model = 7;
    const QByteArray held[] = {encodeImage(own).bytes, encodeImage(other).bytes};
    QVERIFY(kvtest::writeAll(dir.filePath("a.bin"), held[0]) &&
            kvtest::writeAll(dir.filePath("b.bin"), held[1]));
    const KvsimProcess a({"--image", dir.filePath("a.bin")});
    const KvsimProcess b({"--image", dir.filePath("b.bin")});
    const KvsimProcess silent({"--no-handshake"});
    const QString in = sampleFile(dir);
    const QStringList ports{"--port", a.device(), "--port", b.device()};
    const QString refused = "型号不同（对讲机：KV--520(V)），没有写入";
    const QStringList kept{"tune.crystal: 13MHz -> 14.4MHz", "tune.if_side: 正 -> 负",
                           "tune.power_trim: 3 -> -2"};

    const kvtest::CliRun text =
        runCli(QStringList{"write", "--dry-run", "--keep-tune", "--timeout", "1"} + ports +
               QStringList{"--port", silent.device(), in});
    QCOMPARE(text.exitCode, 1);
    QStringList marked;
    for (const QString& line : kept) marked << line + " (kept)";
    QCOMPARE(linesOf(text.out, a.device()), QStringList{"settings.squelch: 7 -> 2"} + marked);
    QCOMPARE(linesOf(text.out, b.device()),
             (QStringList{refused, "model: KV--410B(3) -> KV--520(V)"}));
    QCOMPARE(linesOf(text.out, silent.device()), QStringList{linktext::kNoAnswer});
    const kvtest::CliRun json =
        runCli(QStringList{"write", "--dry-run", "--keep-tune", "--json"} + ports << in);
    QCOMPARE(json.exitCode, 0);  // both read: the refusal is part of the plan
    const QJsonArray plans = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QCOMPARE(plans.size(), 2);
    const QJsonObject first = plans.at(0).toObject();
    const QJsonObject second = plans.at(1).toObject();
    QCOMPARE(first["port"].toString(), a.device());
    QVERIFY(first["error"].isNull() && first["refusal"].isNull());
    QCOMPARE(first["changes"].toArray(), QJsonArray{"settings.squelch: 7 -> 2"});
    QCOMPARE(first["kept"].toArray(), QJsonArray::fromStringList(kept));
    QCOMPARE(second["model"].toString(), QStringLiteral("KV--520(V)"));
    QCOMPARE(second["refusal"].toString(), refused);
    for (int i : {0, 1}) QCOMPARE(kvtest::readAll(dir.filePath(i ? "b.bin" : "a.bin")), held[i]);

    const kvtest::CliRun write =
        runCli(QStringList{"write", "--keep-tune", "--verify", "--timeout", "2"} + ports << in);
    QCOMPARE(write.exitCode, 1);
    QCOMPARE(linesOf(write.out, a.device()), QStringList{jobtext::kVerifiedKeptTune});
    QCOMPARE(linesOf(write.out, b.device()), QStringList{refused});
    RadioData aligned = plan;
    aligned.tune = own.tune;
    QCOMPARE(kvtest::readAll(dir.filePath("a.bin")), encodeImage(aligned).bytes);
    QCOMPARE(kvtest::readAll(dir.filePath("b.bin")), held[1]);
    // The job log tells the radio refused from one that failed.
    const JobEntry last =
        readJobLog(QDir(kvtest::useTemporaryDataFolders()).filePath("kvprog/jobs.jsonl"))
            .entries.last();
    QVERIFY(last.device == b.device() && last.outcome == "refused");
    const kvtest::CliRun any =
        runCli({"write", "--read-first", "--any-model", "--port", b.device(), in});
    QCOMPARE(any.exitCode, 0);
    QCOMPARE(kvtest::readAll(dir.filePath("b.bin")), encodeImage(plan).bytes);
  }

  // Pruned by the files' times: names ahead of the clock (a clock set back), and a "-2" that
  // sorts before the name without it, lose nothing newer; the new backup names the model.
  void pruningKeepsTheNewestFilesWhateverTheirNames() {
    QTemporaryDir dir;
    QVERIFY(kvtest::writeAll(dir.filePath("radio.bin"),
                             encodeImage(kvtest::sampleRadioData()).bytes));  // a KV--410B(3)
    const KvsimProcess radio({"--image", dir.filePath("radio.bin")});
    const QDir backups(dir.filePath("data/kvprog/backups"));
    QVERIFY(backups.mkpath("."));
    QStringList names{"20991231-000000-read-ttyUSB0.chp", "20991231-000000-read-ttyUSB0-2.chp"};
    for (int i = 2; i < kBackupsKept; ++i)
      names << QStringLiteral("20991231-%1-read-x.chp").arg(i, 6, 10, QLatin1Char('0'));
    // Written long enough ago to be pruned, a second apart, in this order.
    const QDateTime old = QDateTime::currentDateTime().addDays(-kBackupDays - 1);
    for (int i = 0; i < names.size(); ++i) {
      QFile file(backups.filePath(names[i]));
      QVERIFY(file.open(QIODevice::WriteOnly) &&
              file.setFileTime(old.addSecs(i), QFileDevice::FileModificationTime));
    }
    const QByteArray home = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
    QCOMPARE(runCli({"read", "--port", radio.device(), dir.filePath("out.chp")}).exitCode, 0);
    qputenv("XDG_DATA_HOME", home);
    QStringList added = backups.entryList(QDir::Files);
    QCOMPARE(added.size(), kBackupsKept);
    added.removeIf([&](const QString& n) { return names.mid(1).contains(n); });
    QCOMPARE(added.size(), 1);  // the oldest file made room for the new backup
    QVERIFY2(added[0].endsWith("-read-" + backupPortName(radio.device()) + "-KV--410B(3).chp"),
             qPrintable(added[0]));
  }
};

QTEST_GUILESS_MAIN(TestFleetE2E)
#include "test_fleet_e2e.moc"
