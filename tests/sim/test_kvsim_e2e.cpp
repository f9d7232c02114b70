#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "sampledata.h"

#include "clirun.h"
#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "kvsimprocess.h"
#include "link/linkengine.h"
#include "link/radiojob.h"
#include "testfiles.h"
#include "usersettingsdir.h"

using namespace kv;
using kvtest::CliRun;
using kvtest::KvsimProcess;
using kvtest::runCli;

namespace {

// A radio memory file holding `image`.
QString radioImage(const QTemporaryDir& dir, const QByteArray& image) {
  const QString path = dir.filePath("radio.bin");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) return QString();
  return path;
}

// What the PC sent, from a kvsim log.
QByteArray sentByPc(const QString& logPath) {
  QFile log(logPath);
  if (!log.open(QIODevice::ReadOnly)) return QByteArray();
  QByteArray sent;
  for (const QByteArray& line : log.readAll().split('\n'))
    if (line.contains(" pc ")) sent += QByteArray::fromHex(line.mid(line.indexOf(" pc ") + 4));
  return sent;
}

RadioData loaded(const QString& path) {
  RadioData data;
  const LoadResult result = loadChpFile(path, data);
  if (result.status != LoadStatus::Loaded) qWarning() << path << result.error.description;
  return data;
}

}  // namespace

class TestKvsimE2E : public QObject {
  Q_OBJECT

 private slots:
  // The backups of every transfer go to a folder of this run.
  void initTestCase() { kvtest::useTemporaryDataFolders(); }

  void writeThenReadGivesTheSameData() {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.chp");
    const QString out = dir.filePath("out.chp");
    const QString image = dir.filePath("radio.bin");
    QVERIFY(!saveChpFile(in, kvtest::sampleRadioData()));
    KvsimProcess sim({"--image", image, "--log", dir.filePath("sim.log")});
    QVERIFY(!sim.device().isEmpty());

    const CliRun write = runCli({"write", "--port", sim.device(), "--timeout", "2", in});
    QCOMPARE(write.exitCode, 0);
    QVERIFY(write.err.contains(linktext::kWriting));
    QFile memory(image);
    QVERIFY(memory.open(QIODevice::ReadOnly));
    QCOMPARE(memory.readAll(), encodeImage(kvtest::sampleRadioData()).bytes);

    const CliRun read = runCli({"read", "--port", sim.device(), "--timeout", "2", out});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(loaded(out), loaded(in));
    QVERIFY(sim.stop());
  }

  void faultsEndWithTheirMessage_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("fault");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("messages");
    const QString noAnswer = linktext::kNoAnswer;
    const QString rejected = QStringLiteral("通信错误");
    const QString closed = QStringLiteral("只有当端口打开时操作才有效");  // the port's error 8018
    QTest::newRow("write NAK") << "write" << QStringList{"--nak-at", "9"} << 1
                               << QStringList{rejected};
    // The write stops at the rejected block: no second message about the closed port.
    QTest::newRow("write NAK in function block")
        << "write" << QStringList{"--nak-at", "0"} << 1 << QStringList{rejected};
    // Garbled answers whose decimal renderings hold a 6 ("160", "360", "960" in text mode,
    // "16" in byte mode) are not acknowledgements.
    QTest::newRow("write garbled 0x10")
        << "write" << QStringList{"--answer-at", "9:10"} << 1 << QStringList{rejected};
    QTest::newRow("write garbled 0x24")
        << "write" << QStringList{"--answer-at", "40:24"} << 1 << QStringList{rejected};
    QTest::newRow("write garbled 0x60")
        << "write" << QStringList{"--answer-at", "1:60"} << 1 << QStringList{rejected};
    QTest::newRow("read garbled 0x10")
        << "read" << QStringList{"--answer-at", "5:10"} << 1 << QStringList{rejected};
    QTest::newRow("write silence")
        << "write" << QStringList{"--silent-from", "3"} << 124 << QStringList{noAnswer};
    // A pulled cable ends the wait for the acknowledgement with the port's error.
    QTest::newRow("write line dropped")
        << "write" << QStringList{"--drop-at", "4"} << 1 << QStringList{closed};
    QTest::newRow("no handshake") << "write" << QStringList{"--no-handshake"} << 124
                                  << QStringList{noAnswer};
    QTest::newRow("read NAK") << "read" << QStringList{"--nak-at", "3"} << 1
                              << QStringList{rejected};
    QTest::newRow("read silence") << "read" << QStringList{"--silent-from", "2"} << 124
                                  << QStringList{noAnswer};
    QTest::newRow("read short answer")
        << "read" << QStringList{"--short-at", "2"} << 124 << QStringList{noAnswer};
    QTest::newRow("read long answer")
        << "read" << QStringList{"--long-at", "2"} << 124 << QStringList{noAnswer};
    // The line's end closes the port; the block wait then finds it closed.
    QTest::newRow("read line dropped")
        << "read" << QStringList{"--drop-at", "4"} << 1 << QStringList{closed};
  }
  void faultsEndWithTheirMessage() {
    QFETCH(QString, command);
    QFETCH(QStringList, fault);
    QFETCH(int, exitCode);
    QFETCH(QStringList, messages);
    QTemporaryDir dir;
    const QString file = dir.filePath("data.chp");
    QVERIFY(!saveChpFile(dir.filePath("image.chp"), kvtest::sampleRadioData()));
    QVERIFY(
        QFile::copy(dir.filePath("image.chp"), command == "write" ? file : dir.filePath("unused")));
    // The radio holds a programmed memory, so that a read stopped part-way loads its lines.
    QFile image(dir.filePath("radio.bin"));
    QVERIFY(image.open(QIODevice::WriteOnly));
    image.write(encodeImage(kvtest::sampleRadioData()).bytes);
    image.close();
    KvsimProcess sim(QStringList{"--image", image.fileName()} + fault);
    QVERIFY(!sim.device().isEmpty());
    const CliRun run = runCli({command, "--port", sim.device(), "--timeout", "1", file});
    QCOMPARE(run.exitCode, exitCode);
    for (const QString& m : messages) QVERIFY2(run.err.contains(m), qPrintable(run.err));
    // One failure, one message, in words without the error's number; and the count never
    // claims a transfer it did not finish.
    const QString closed = QStringLiteral("只有当端口打开时操作才有效");
    if (!messages.contains(closed)) QVERIFY2(!run.err.contains(closed), qPrintable(run.err));
    QVERIFY2(!run.err.contains("8018"), qPrintable(run.err));
    QVERIFY2(!run.err.contains("128/128"), qPrintable(run.err));
    QVERIFY2(run.cpuSeconds < 0.3, qPrintable(QString::number(run.cpuSeconds)));  // waits block
    if (command == "read") QVERIFY(!QFile::exists(file));
    QVERIFY(sim.stop());
  }

  void unknownModelIsKeptByReadAndNeverWritten() {
    QTemporaryDir dir;
    QByteArray memory = encodeImage(kvtest::sampleRadioData()).bytes;
    memory[0] = char(0x99);
    const QString out = dir.filePath("out.chp");
    {
      KvsimProcess sim({"--image", radioImage(dir, memory)});
      const CliRun read =
          runCli({"--lang", "en", "read", "--port", sim.device(), "--timeout", "2", out});
      QCOMPARE(read.exitCode, 1);
      QVERIFY2(read.err.contains("out.chp: The radio holds no data this program can load") &&
                   read.err.contains("the model code matches none"),
               qPrintable(read.err));
    }
    // The file holds the radio's own lines, model byte included.
    QByteArray lines;
    for (int b = 0; b < kBlockCount; ++b)
      lines += scratchLine(blockPacket(0x52, b) + memory.mid(b * kBlockSize, kBlockSize));
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), lines);

    // Writing it back is refused as export refuses it, before a byte goes out.
    KvsimProcess sim({"--log", dir.filePath("sim.log")});
    const CliRun write = runCli({"write", "--port", sim.device(), "--timeout", "2", out});
    QCOMPARE(write.exitCode, 1);
    const CliRun exported = runCli({"export", out, dir.filePath("out.json")});
    QCOMPARE(exported.exitCode, 1);
    QCOMPARE(write.err, exported.err);
    QVERIFY(sim.stop());
    QCOMPARE(sentByPc(dir.filePath("sim.log")), QByteArray());
  }

  // A radio may keep its own data past the channels: verify leaves it alone, diff shows it.
  void verifyComparesTheChannelsAndDiffTheWholeMemory() {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.chp");
    QVERIFY(!saveChpFile(in, kvtest::sampleRadioData()));
    const QString image = dir.filePath("radio.bin");
    KvsimProcess sim({"--image", image, "--corrupt-at", "0x200"});
    const CliRun write =
        runCli({"write", "--verify", "--port", sim.device(), "--timeout", "2", in});
    QCOMPARE(write.exitCode, 0);
    QCOMPARE(write.out, sim.device() + ": " + jobtext::kVerified + "\n");
    QVERIFY(sim.stop());
    const CliRun diff = runCli({"diff", in, image});
    QCOMPARE(diff.out, QStringLiteral("other bytes: 1 differ, first address 0x0200: FF -> FE\n"));
    QCOMPARE(diff.exitCode, 1);
  }

  void timeoutOutsideItsRangeIsRefused() {
    QTemporaryDir dir;
    QVERIFY(!saveChpFile(dir.filePath("in.chp"), kvtest::sampleRadioData()));
    KvsimProcess sim({"--log", dir.filePath("sim.log")});
    for (const char* seconds : {"3000000", "86401", "0", "-5"}) {
      const CliRun run =
          runCli({"write", "--port", sim.device(), "--timeout", seconds, dir.filePath("in.chp")});
      QCOMPARE(run.exitCode, 1);
      QVERIFY2(run.err.contains("from 1 to 86400"), qPrintable(run.err));
    }
    QCOMPARE(sentByPc(dir.filePath("sim.log")), QByteArray());
    const CliRun day =
        runCli({"write", "--port", sim.device(), "--timeout", "86400", dir.filePath("in.chp")});
    QCOMPARE(day.exitCode, 0);
    QVERIFY(!sentByPc(dir.filePath("sim.log")).isEmpty());
  }

  void imageFileMustBeAMemoryImage() {
    QTemporaryDir dir;
    const auto start = [](const QString& image, QString* err) {
      QProcess sim;
      sim.start(QStringLiteral(KV_BIN_DIR "/kvsim"), {"--image", image});
      const bool serving = sim.waitForReadyRead(5000);
      sim.terminate();
      sim.waitForFinished(3000);
      *err = QString::fromUtf8(sim.readAllStandardError());
      return serving;
    };
    QString err;
    // A channel file passed by mistake, and files of any other size, are refused untouched.
    const QString chp = dir.filePath("radio.chp");
    QVERIFY(!saveChpFile(chp, kvtest::sampleRadioData()));
    const QByteArray chpBytes = kvtest::readAll(chp);
    QVERIFY(!start(chp, &err));
    QVERIFY2(err.contains("radio.chp is not a radio memory image"), qPrintable(err));
    QCOMPARE(kvtest::readAll(chp), chpBytes);
    const QString odd = radioImage(dir, QByteArray(1023, 'x'));
    QVERIFY(!start(odd, &err));
    QCOMPARE(kvtest::readAll(odd), QByteArray(1023, 'x'));

    // Missing and empty files start as an erased memory; an image is kept as it is.
    const QString missing = dir.filePath("new.bin");
    QVERIFY(start(missing, &err));
    QCOMPARE(kvtest::readAll(missing), QByteArray(kImageSize, char(0xFF)));
    const QString empty = radioImage(dir, QByteArray());
    QVERIFY(start(empty, &err));
    QCOMPARE(kvtest::readAll(empty), QByteArray(kImageSize, char(0xFF)));
    const QByteArray image = encodeImage(kvtest::sampleRadioData()).bytes;
    QVERIFY(start(radioImage(dir, image), &err));
    QCOMPARE(kvtest::readAll(dir.filePath("radio.bin")), image);
  }

  void ctrlCStopsAtOnce() {
    KvsimProcess sim({"--no-handshake"});
    QTemporaryDir dir;
    QVERIFY(!saveChpFile(dir.filePath("in.chp"), kvtest::sampleRadioData()));
    const CliRun run =
        kvtest::interruptCli({"write", "--port", sim.device(), dir.filePath("in.chp")});
    QVERIFY(run.stopMs >= 0 && run.stopMs < 500);
    QCOMPARE(run.exitCode, 130);
    QVERIFY(!run.err.contains(linktext::kNoAnswer));
  }

  void missingPortShowsItsMessage() {
    QTemporaryDir dir;
    const CliRun run =
        runCli({"read", "--port", "/dev/kvprog-no-such-port", dir.filePath("out.chp")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("端口“/dev/kvprog-no-such-port”不存在\n"), qPrintable(run.err));
    QVERIFY(!run.err.contains(linktext::kConnecting));
  }
};

QTEST_GUILESS_MAIN(TestKvsimE2E)
#include "test_kvsim_e2e.moc"
