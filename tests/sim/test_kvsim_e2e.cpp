#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <csignal>
#include "sampledata.h"

#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "kvsimprocess.h"
#include "link/linkengine.h"

using namespace kv;
using kvtest::KvsimProcess;

namespace {

struct CliRun {
  int exitCode = -1;
  QString err;
  double cpuSeconds = 0;
};

double childCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

CliRun runCli(const QStringList& args, int limitMs = 20000) {
  const double cpuBefore = childCpuSeconds();
  QProcess cli;
  cli.start(QStringLiteral(KV_BIN_DIR "/kvprog-cli"), args);
  CliRun run;
  if (!cli.waitForFinished(limitMs)) {
    cli.kill();
    cli.waitForFinished();
    run.err = QStringLiteral("hung");
    return run;
  }
  run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  run.err = QString::fromUtf8(cli.readAllStandardError());
  run.cpuSeconds = childCpuSeconds() - cpuBefore;
  return run;
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
    QTest::newRow("write NAK") << "write" << QStringList{"--nak-at", "9"} << 1
                               << QStringList{rejected};
    QTest::newRow("write NAK in function block")
        << "write" << QStringList{"--nak-at", "0"} << 1 << QStringList{rejected, "8018: "};
    QTest::newRow("write silence")
        << "write" << QStringList{"--silent-from", "3"} << 124 << QStringList{noAnswer};
    // A pulled cable ends the wait for the acknowledgement with the port's error.
    QTest::newRow("write line dropped")
        << "write" << QStringList{"--drop-at", "4"} << 1 << QStringList{"8018: "};
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
        << "read" << QStringList{"--drop-at", "4"} << 1 << QStringList{"8018: "};
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
    QVERIFY2(run.cpuSeconds < 0.3, qPrintable(QString::number(run.cpuSeconds)));  // waits block
    if (command == "read") QVERIFY(!QFile::exists(file));
    QVERIFY(sim.stop());
  }

  void ctrlCStopsAtOnce() {
    KvsimProcess sim({"--no-handshake"});
    QTemporaryDir dir;
    QVERIFY(!saveChpFile(dir.filePath("in.chp"), kvtest::sampleRadioData()));
    QProcess cli;
    cli.start(QStringLiteral(KV_BIN_DIR "/kvprog-cli"),
              {"write", "--port", sim.device(), dir.filePath("in.chp")});
    QVERIFY(cli.waitForStarted());
    QTest::qWait(700);
    QElapsedTimer timer;
    timer.start();
    ::kill(pid_t(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(2000));
    QVERIFY(timer.elapsed() < 500);
    QCOMPARE(cli.exitCode(), 130);
    QVERIFY(!QString::fromUtf8(cli.readAllStandardError()).contains(linktext::kNoAnswer));
  }

  void missingPortShowsItsMessage() {
    QTemporaryDir dir;
    const CliRun run =
        runCli({"read", "--port", "/dev/kvprog-no-such-port", dir.filePath("out.chp")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("8002"), qPrintable(run.err));
    QVERIFY(!run.err.contains(linktext::kConnecting));
  }
};

QTEST_GUILESS_MAIN(TestKvsimE2E)
#include "test_kvsim_e2e.moc"
