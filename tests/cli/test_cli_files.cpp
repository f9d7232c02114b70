#include <QtTest>

#include "fulldisk.h"
#include "testfiles.h"

#include "image/chpfile.h"

using namespace kv;
using kvtest::readAll;
using kvtest::writeAll;

namespace {

struct Run {
  int status;
  QString out;
  QString err;
};

Run cli(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(KV_BIN_DIR "/kvprog-cli"), args);
  if (!p.waitForFinished(20000)) p.kill();
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

QString fixture(const char* name) { return kvtest::fixturePath(name); }

}  // namespace

class TestCliFiles : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString path(const QString& name) const { return dir_.filePath(name); }

 private slots:
  void helpForEveryCommand() {
    QCOMPARE(cli({"--help"}).status, 0);
    for (const char* c : {"show", "export", "import"}) {
      const Run r = cli({c, "--help"});
      QCOMPARE(r.status, 0);
      QVERIFY(r.out.contains(QLatin1String(c)));
    }
    const Run bad = cli({"frobnicate"});
    QVERIFY(bad.status != 0);
    QCOMPARE(bad.err.count('\n'), 1);
  }

  void showPrintsTheTable() {
    const Run r = cli({"show", fixture("example.chp")});
    QCOMPARE(r.status, 0);
    for (const char* text : {"KV--410B(1)", "450.12500", "D023I", "接收频率", "静噪等级："})
      QVERIFY2(r.out.contains(QString::fromUtf8(text)), text);
  }

  void savedFileRoundTripsByteForByte() {
    // A file with every setting away from its default, saved by this program.
    RadioData d;
    d.settings = {7, 1, 1, 4, 0, 1, 1};
    d.tune = {"1", "1", 0};
    d.cell(5, kRxFreq) = "470.99375";
    d.cell(5, kRxSignal) = "D645I";
    d.cell(9, kBusyLock) = "是";
    QVERIFY(!saveChpFile(path("src.chp"), d));
    for (const QString& source : {fixture("example.chp"), path("src.chp")}) {
      QCOMPARE(cli({"export", source, path("x.json")}).status, 0);
      QCOMPARE(cli({"import", path("x.json"), path("back.chp")}).status, 0);
      QCOMPARE(readAll(path("back.chp")), readAll(source));
      // And JSON to a file and back gives the same JSON.
      QCOMPARE(cli({"export", path("back.chp"), path("y.json")}).status, 0);
      QCOMPARE(readAll(path("y.json")), readAll(path("x.json")));
    }
    const QByteArray json = readAll(path("x.json"));
    QVERIFY(json.contains("\"power_trim\": -5"));
    QVERIFY(json.contains("\"crystal\": \"14.4MHz\""));
  }

  void badJsonIsRejected_data() {
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("short frequency")
        << QByteArray("\"rx_freq\": \"450.12500\"") << QByteArray("\"rx_freq\": \"450.125\"")
        << "channel 1: \"rx_freq\"";
    QTest::newRow("unknown signal")
        << QByteArray("\"tx_signal\": \"D023I\"") << QByteArray("\"tx_signal\": \"D999I\"")
        << "channel 1: \"tx_signal\"";
    QTest::newRow("power") << QByteArray("\"tx_power\": \"中\"")
                           << QByteArray("\"tx_power\": \"mid\"") << "channel 1: \"tx_power\"";
    QTest::newRow("misspelt key") << QByteArray("\"bandwidth\": \"窄\"")
                                  << QByteArray("\"bandwith\": \"窄\"") << "channel 1: unknown key";
    QTest::newRow("model") << QByteArray("KV--410B(1)") << QByteArray("KV--999") << "\"model\"";
    QTest::newRow("setting") << QByteArray("\"squelch\": \"4\"")
                             << QByteArray("\"squelch\": \"10\"") << "\"squelch\"";
    QTest::newRow("trim") << QByteArray("\"power_trim\": 0") << QByteArray("\"power_trim\": 6")
                          << "power_trim";
    QTest::newRow("channel order")
        << QByteArray("{\"channel\": 2,") << QByteArray("{\"channel\": 3,") << "channel 2";
    QTest::newRow("not JSON") << QByteArray("{\"model\"") << QByteArray("{model")
                              << "not valid JSON";
  }
  void badJsonIsRejected() {
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, mentions);
    QCOMPARE(cli({"export", fixture("example.chp"), path("good.json")}).status, 0);
    QByteArray json = readAll(path("good.json"));
    QVERIFY(json.contains(from));
    writeAll(path("bad.json"), json.replace(json.indexOf(from), from.size(), to));
    QFile::remove(path("out.chp"));
    const Run r = cli({"import", path("bad.json"), path("out.chp")});
    QVERIFY(r.status != 0);
    QVERIFY2(r.err.contains(mentions), qPrintable(r.err));
    QVERIFY(!QFile::exists(path("out.chp")));
  }

  void exportNeedsACompleteFile() {
    QByteArray truncated = readAll(fixture("example.chp"));
    truncated.truncate(20 * 37);
    writeAll(path("short.chp"), truncated);
    QByteArray unknown = readAll(fixture("example.chp")).replace("08 11 FF", "08 77 FF");
    writeAll(path("unknown.chp"), unknown);
    for (const QString& in : {path("short.chp"), path("unknown.chp"), path("missing.chp")}) {
      QFile::remove(path("out.json"));
      const Run r = cli({"export", in, path("out.json")});
      QVERIFY(r.status != 0);
      QCOMPARE(r.err.count('\n'), 1);
      QVERIFY(!QFile::exists(path("out.json")));
    }
    QVERIFY(cli({"export", path("short.chp"), path("o.json")}).err.contains("62"));
  }

  void everyCommandTakesAChannelFileOnlyWhole() {
    writeAll(path("unknown.chp"), readAll(fixture("example.chp")).replace("08 11 FF", "08 77 FF"));
    const QString refusal =
        QStringLiteral("kvprog-cli: %1: the model code matches none of the eight models\n")
            .arg(path("unknown.chp"));
    for (const QStringList& command : {QStringList{"show"}, QStringList{"export", path("o.json")},
                                       QStringList{"report", path("o.pdf")}}) {
      const Run r = cli(QStringList{command[0], path("unknown.chp")} + command.mid(1));
      QCOMPARE(r.status, 1);
      QVERIFY2(r.err.endsWith(refusal), qPrintable(r.err));  // after Qt's own notes, if any
    }
    QVERIFY(!QFile::exists(path("o.json")) && !QFile::exists(path("o.pdf")));

    // Signalling bytes that name no code are listed; the command goes on.
    writeAll(path("odd.chp"),
             readAll(fixture("example.chp")).replace("52 00 18 08 80 01", "52 00 18 08 80 40"));
    const Run shown = cli({"show", path("odd.chp")});
    QCOMPARE(shown.status, 0);
    QVERIFY2(shown.err.contains(QStringLiteral("信道1 接收信令 80 40 → D072N")),
             qPrintable(shown.err));
  }

  void importOntoAFullDiskKeepsTheOldFile() {
    kvtest::FullDisk disk;
    if (!disk.mounted()) QSKIP(disk.skipReason());
    QCOMPARE(cli({"export", fixture("example.chp"), path("in.json")}).status, 0);
    const QString old = disk.filePath(QStringLiteral("OLD.chp"));
    QVERIFY(QFile::copy(fixture("all-off.chp"), old));
    QVERIFY(disk.fill());
    const Run r = cli({"import", path("in.json"), old});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(old), qPrintable(r.err));
    QCOMPARE(readAll(old), readAll(fixture("all-off.chp")));
  }

  void inputsAreReadWhateverTheyAreUpToALimit() {
    QCOMPARE(cli({"export", fixture("example.chp"), path("in.json")}).status, 0);
    // What a shell's process substitution hands over: a pipe.
    QProcess shell;
    shell.start(QStringLiteral("bash"),
                {"-c", QStringLiteral("'%1' import <(cat '%2') '%3'")
                           .arg(KV_BIN_DIR "/kvprog-cli", path("in.json"), path("piped.chp"))});
    QVERIFY(shell.waitForFinished(20000));
    QCOMPARE(shell.exitCode(), 0);
    QCOMPARE(readAll(path("piped.chp")), readAll(fixture("example.chp")));

    const struct {
      QString input;
      const char* says;
    } refused[] = {{"/dev/zero", "too large"}, {dir_.path(), "is a directory"}};
    for (const auto& bad : refused) {
      const Run r = cli({"import", bad.input, path("never.chp")});
      QCOMPARE(r.status, 1);
      QVERIFY2(r.err.contains(QLatin1String(bad.says)), qPrintable(r.err));
      QVERIFY(!QFile::exists(path("never.chp")));
    }
  }
};

QTEST_GUILESS_MAIN(TestCliFiles)
#include "test_cli_files.moc"
