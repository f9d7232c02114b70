#include <QStringEncoder>
#include <QtTest>

#include "fulldisk.h"
#include "testfiles.h"

#include "image/chpfile.h"
#include "image/memoryimage.h"

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

  // What was wrong, then the command's usage line, as its --help starts.
  void misuseSaysWhatIsWrongAndTheUsage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing argument") << QStringList{"show"} << 1 << "missing FILE.chp";
    QTest::newRow("extra argument")
        << QStringList{"export", "a.chp", "b.json", "c"} << 1 << "unexpected argument \"c\"";
    QTest::newRow("unknown option") << QStringList{"ports", "--frob"} << 1 << "frob";
    QTest::newRow("missing value")
        << QStringList{"import", "a.csv", "b.chp", "--base"} << 1 << "--base";
    QTest::newRow("missing port") << QStringList{"write", "in.chp"} << 1 << "missing --port DEVICE";
    QTest::newRow("two ports to read") << QStringList{"read", "--port", "a", "--port", "b", "o.chp"}
                                       << 1 << "read takes one --port";
    QTest::newRow("diff") << QStringList{"diff", "a.chp"} << 2 << "missing B.chp";
    QTest::newRow("format") << QStringList{"export", "--format", "xml", "a.chp", "b.csv"} << 1
                            << "--format must be json, csv or chirp";
  }
  void misuseSaysWhatIsWrongAndTheUsage() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, says);
    const Run r = cli(args);
    QCOMPARE(r.status, status);
    const QStringList lines = r.err.split('\n');
    QCOMPARE(lines.size(), 3);  // two lines
    QVERIFY2(lines[0].startsWith("kvprog-cli: ") && lines[0].contains(says), qPrintable(r.err));
    QCOMPARE(lines[1], cli({args[0], "--help"}).out.section('\n', 0, 0));
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
    // Checked as typing would check it: formatted, then against the band and the raster.
    QTest::newRow("outside the band")
        << QByteArray("\"rx_freq\": \"450.12500\"") << QByteArray("\"rx_freq\": \"480.125\"")
        << "channel 1: \"rx_freq\": \"480.125\" lies outside the model's band";
    QTest::newRow("off the raster") << QByteArray("\"rx_freq\": \"450.12500\"")
                                    << QByteArray("\"rx_freq\": \"450.0025\"") << "raster";
    QTest::newRow("unknown signal")
        << QByteArray("\"tx_signal\": \"D023I\"") << QByteArray("\"tx_signal\": \"D999I\"")
        << "channel 1: \"tx_signal\"";
    QTest::newRow("power") << QByteArray("\"tx_power\": \"中\"")
                           << QByteArray("\"tx_power\": \"medium\"") << "channel 1: \"tx_power\"";
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
      const Run r =
          cli(QStringList{"--lang", "en", command[0], path("unknown.chp")} + command.mid(1));
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

  void csvRoundTripsAndComesBackFromSpreadsheets() {
    const QString example = fixture("example.chp");
    QCOMPARE(cli({"export", example, path("table.CSV")}).status, 0);
    const QByteArray csv = readAll(path("table.CSV"));
    QVERIFY(
        csv.startsWith("\xEF\xBB\xBF"
                       "channel,rx_freq,tx_freq,rx_signal,tx_signal,busy_lock,"
                       "bandwidth,tx_power\r\n1,450.12500,450.12500,"));
    QCOMPARE(cli({"import", path("table.CSV"), path("back.chp"), "--base", example}).status, 0);
    QCOMPARE(readAll(path("back.chp")), readAll(example));

    // As a spreadsheet on a Chinese system saves it: GB18030, semicolons, quotes, numbers
    // without their trailing zeros, rows in another order.
    QString edited = QString::fromUtf8(csv.mid(3));
    edited.replace(QLatin1Char(','), QLatin1Char(';'));
    edited.replace(QStringLiteral("450.12500"), QStringLiteral("\"450.125\""));
    QStringList lines = edited.split(QStringLiteral("\r\n"));
    lines.swapItemsAt(1, 16);
    QStringEncoder gb18030("GB18030");
    writeAll(path("edited.csv"), gb18030(lines.join(QStringLiteral("\r\n"))));
    QCOMPARE(cli({"import", path("edited.csv"), path("edited.chp"), "--base", example}).status, 0);
    QCOMPARE(readAll(path("edited.chp")), readAll(example));

    // Without a base the model and the settings are the defaults.
    QCOMPARE(cli({"import", path("table.CSV"), path("plain.chp")}).status, 0);
    QVERIFY(readAll(path("plain.chp")).startsWith("52 00 00 08 11 FF FF FF 00 00 04 19\r\n"));
  }

  // CHIRP's form: chosen by --format on the way out, known by its header on the way in
  // whatever the file is called; what the radio cannot keep is noted, not refused.
  void chirpCsvBothWays() {
    const QString example = fixture("example.chp");
    QCOMPARE(cli({"export", "--format", "chirp", example, path("plan.txt")}).status, 0);
    QVERIFY(readAll(path("plan.txt")).startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));
    QCOMPARE(cli({"import", path("plan.txt"), path("back.chp"), "--base", example}).status, 0);
    QCOMPARE(readAll(path("back.chp")), readAll(example));

    writeAll(path("old.csv"),
             "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
             "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
             "0,Shop,450.125000,split,460.100000,Tone,67.0,88.5,023,NN,NFM,5.00,,,,,,\r\n"
             "1,,450.006250,,0.000000,DTCS,88.5,88.5,023,RN,FM,5.00,,,,,,\r\n");
    const Run r = cli({"import", path("old.csv"), path("old.chp"), "--base", example});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err.trimmed(), path("old.csv").prepend("kvprog-cli: ") +
                                  QStringLiteral(": 信道名称、跳过和备注不会写入对讲机，已忽略"));
    const QString shown = cli({"show", path("old.chp")}).out;
    QVERIFY2(
        shown.contains(QStringLiteral("1     450.12500  460.10000  OFF       67        否        "
                                      "窄     高")),
        qPrintable(shown));
    QVERIFY(shown.contains(QStringLiteral("2     450.00625  450.00625  D023N     D023I     否")));
  }

  void badCsvNamesRowAndColumnAndWritesNothing_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("band") << "3,OFF"
                          << "3,480.10000"
                          << "row 4, column rx_freq";
    QTest::newRow("signal") << "D023I"
                            << "D999I"
                            << "row 2, column tx_signal";
    QTest::newRow("list") << ",窄,"
                          << ",slim,"
                          << "row 2, column bandwidth";
    QTest::newRow("header") << "busy_lock"
                            << "busy"
                            << "row 1";
    QTest::newRow("fields") << "\r\n5,"
                            << "\r\n5,1,"
                            << "row 6: 9 fields";
    QTest::newRow("missing channel") << "\r\n16,OFF,OFF,OFF,OFF,否,宽,高"
                                     << ""
                                     << "channel 16";
  }
  void badCsvNamesRowAndColumnAndWritesNothing() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, mentions);
    QCOMPARE(cli({"export", fixture("example.chp"), path("good.csv")}).status, 0);
    QString csv = QString::fromUtf8(readAll(path("good.csv")));
    QVERIFY2(csv.contains(from), qPrintable(from));
    writeAll(path("bad.csv"), csv.replace(csv.indexOf(from), from.size(), to).toUtf8());
    QFile::remove(path("out.chp"));
    const Run r = cli({"import", path("bad.csv"), path("out.chp")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(mentions), qPrintable(r.err));
    QVERIFY(!QFile::exists(path("out.chp")));
  }

  void diffListsFieldsAndExitsLikeDiff() {
    const QString example = fixture("example.chp");
    QCOMPARE(cli({"diff", example, example}).status, 0);
    RadioData changed;
    QVERIFY(loadChpFile(example, changed).status == LoadStatus::Loaded);
    changed.settings.model = 1;
    changed.settings.squelch = 6;
    changed.cell(3, kRxFreq) = "451.00000";
    changed.cell(1, kTxSignal) = "D047I";
    // A radio's memory image as kvsim keeps it compares with a channel file.
    writeAll(path("radio.bin"), encodeImage(changed).bytes);
    const Run r = cli({"diff", example, path("radio.bin")});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QStringLiteral("model: KV--410B(1) -> KV--410B(2)\n"
                                   "settings.squelch: 4 -> 6\n"
                                   "channel 1 tx_signal: D023I -> D047I\n"
                                   "channel 3 rx_freq: OFF -> 451.00000\n"));
    writeAll(path("short.chp"), readAll(example).left(500));
    QCOMPARE(cli({"diff", example, path("short.chp")}).status, 2);
    QCOMPARE(cli({"diff", example}).status, 2);
  }

  // Bytes no field shows (unused ones, the memory past the channels) differ too.
  void diffNamesTheBytesNoFieldShows_data() {
    QTest::addColumn<QList<QByteArrayList>>("edits");  // line number, what starts it, now
    QTest::addColumn<QString>("out");
    const QList<QByteArrayList> unused{{"1", "52 00 00 08 11 FF", "52 00 00 08 11 00"},
                                       {"100", "52 03 18 08 FF FF", "52 03 18 08 12 34"}};
    QTest::newRow("unused bytes only")
        << unused << "other bytes: 3 differ, first address 0x0001: FF -> 00\n";
    QTest::newRow("and a field") << (unused + QList<QByteArrayList>{{"3", "52 00 10 08 00 25",
                                                                     "52 00 10 08 00 26"}})
                                 << "channel 1 rx_freq: 450.12500 -> 450.12600\n"
                                    "other bytes: 3 differ, first address 0x0001: FF -> 00\n";
  }
  void diffNamesTheBytesNoFieldShows() {
    QFETCH(QList<QByteArrayList>, edits);
    QFETCH(QString, out);
    const QString example = fixture("example.chp");
    QByteArrayList lines = readAll(example).split('\n');
    for (const QByteArrayList& edit : edits) {
      QByteArray& line = lines[edit[0].toInt() - 1];
      QVERIFY(line.startsWith(edit[1]));
      line.replace(0, edit[2].size(), edit[2]);
    }
    writeAll(path("edited.chp"), lines.join('\n'));
    const Run r = cli({"diff", example, path("edited.chp")});
    QCOMPARE(r.out, out);
    QCOMPARE(r.status, 1);
  }

  // The lines a file lacks are unprogrammed memory, as the filler lines of a saved file are.
  void diffTakesMissingLinesAsUnprogrammed() {
    QByteArrayList lines = readAll(fixture("example.chp")).split('\n');
    writeAll(path("channels-only.chp"), lines.mid(0, 34).join('\n') + '\n');
    QCOMPARE(cli({"diff", fixture("example.chp"), path("channels-only.chp")}).status, 0);
    lines[99].replace(0, 17, "52 03 18 08 FF 00");  // address 0x319
    writeAll(path("more.chp"), lines.join('\n'));
    QCOMPARE(cli({"diff", path("channels-only.chp"), path("more.chp")}).out,
             QStringLiteral("other bytes: 1 differ, first address 0x0319: FF -> 00\n"));
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
      const Run r = cli({"--lang", "en", "import", bad.input, path("never.chp")});
      QCOMPARE(r.status, 1);
      QVERIFY2(r.err.contains(QLatin1String(bad.says)), qPrintable(r.err));
      QVERIFY(!QFile::exists(path("never.chp")));
    }
  }
};

QTEST_GUILESS_MAIN(TestCliFiles)
#include "test_cli_files.moc"
