#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "clirun.h"
#include "image/chpfile.h"
#include "kvsimprocess.h"
#include "pdftext.h"
#include "sampledata.h"
#include "testfiles.h"
#include "usersettingsdir.h"

using kvtest::CliRun;
using kvtest::runCli;

class TestCliLanguage : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { kvtest::useTemporaryDataFolders(); }

  // A user whose environment asks for English: what kvprog-cli says to a radio's write, a
  // failed write and a read, its report, show, help and a CSV table hold no Chinese; `diff`
  // prints the same bytes in both languages.
  void englishFromTheEnvironment() {
    const QByteArray lcAll = qgetenv("LC_ALL");
    qputenv("LC_ALL", "");  // not set: LANG decides
    qputenv("LANG", "en_US.UTF-8");
    QTemporaryDir dir;
    const QString in = dir.filePath("in.chp");
    QVERIFY(!kv::saveChpFile(in, kvtest::sampleRadioData()));
    QList<CliRun> runs;
    {
      kvtest::KvsimProcess sim({"--image", dir.filePath("radio.bin")});
      // A new radio, all 0xFF, holds nothing a read can load.
      runs << runCli({"read", "--port", sim.device(), "--timeout", "2", dir.filePath("out.chp")});
      QCOMPARE(runs.last().exitCode, 1);
      QVERIFY2(runs.last().err.contains("out.chp: The radio holds no data this program can load"),
               qPrintable(runs.last().err));
      runs << runCli({"write", "--port", sim.device(), "--timeout", "2", "--verify", in});
      QCOMPARE(runs.last().exitCode, 0);
      for (const char* said :
           {"Step 1 of 2: writing\n", "Writing data to the radio", "Step 2 of 2: verifying\n"})
        QVERIFY2(runs.last().err.contains(said), qPrintable(runs.last().err));
      runs << runCli({"read", "--port", sim.device(), "--timeout", "2", dir.filePath("out.chp")});
      QCOMPARE(runs.last().exitCode, 0);
      QVERIFY(sim.stop());
    }
    {
      kvtest::KvsimProcess refusing({"--nak-at", "9"});
      runs << runCli({"write", "--port", refusing.device(), "--timeout", "1", in});
      QCOMPARE(runs.last().exitCode, 1);
      QVERIFY(refusing.stop());
    }
    {
      kvtest::KvsimProcess silent({"--no-handshake"});
      runs << runCli({"write", "--port", silent.device(), "--timeout", "1", in});
      QCOMPARE(runs.last().exitCode, 124);
    }
    // A port that is not there is named in the line, no number in front.
    runs << runCli({"read", "--port", "/dev/kvprog-none", dir.filePath("none.chp")});
    QVERIFY2(runs.last().err.startsWith("The port “/dev/kvprog-none” does not exist\n"),
             qPrintable(runs.last().err));
    const QString pdf = dir.filePath("report.pdf");
    const QString csv = dir.filePath("table.csv");
    runs << runCli({"report", in, pdf}) << runCli({"show", in}) << runCli({"--help"})
         << runCli({"export", in, csv});
    QVERIFY2(runs[runs.size() - 3].out.contains("Power save:") &&
                 runs[runs.size() - 3].out.contains("Function flags:"),
             qPrintable(runs[runs.size() - 3].out));
    const QString table = QString::fromUtf8(kvtest::readAll(csv));
    QVERIFY2(table.contains(",Yes,Narrow,Mid\r\n") && !kvtest::hasChinese(table),
             qPrintable(table));
    const QString report = kvtest::pdfText(pdf);
    qputenv("LC_ALL", lcAll);
    qputenv("LANG", "C.UTF-8");
    // No line of its own begins with a message box's title or an error's number.
    static const QRegularExpression boxTitle(QStringLiteral("^(Information|Error|Notice|\\d+): "),
                                             QRegularExpression::MultilineOption);
    for (const CliRun& run : runs)
      for (const QString& said : {run.out, run.err})
        QVERIFY2(!kvtest::hasChinese(said) && !said.contains(boxTitle), qPrintable(said));
    QVERIFY2(report.contains("Radio Settings, Page 1") && report.contains("Power save: Enabled"),
             qPrintable(report));
    QVERIFY2(!kvtest::hasChinese(report), qPrintable(report));

    // --lang before a command that draws.
    const CliRun chosen = runCli({"--lang", "en", "report", in, dir.filePath("chosen.pdf")});
    QCOMPARE(chosen.exitCode, 0);
    QVERIFY(kvtest::pdfText(dir.filePath("chosen.pdf")).contains("Radio Settings, Page 1"));

    const QStringList diff{"diff", in, dir.filePath("out.chp")};
    QVERIFY(!kv::saveChpFile(dir.filePath("out.chp"), kv::RadioData()));
    const CliRun chinese = runCli(QStringList{"--lang", "zh"} + diff);
    const CliRun english = runCli(QStringList{"--lang", "en"} + diff);
    QCOMPARE(chinese.exitCode, english.exitCode);
    QVERIFY(!chinese.out.isEmpty());
    QCOMPARE(english.out, chinese.out);
  }

  // What kvprog-cli says of its own follows the language; the exit status does not.
  void ownMessagesFollowTheLanguage() {
    QTemporaryDir dir;
    const QString json = dir.filePath("bad.json");  // a value import does not know
    QCOMPARE(runCli({"export", QStringLiteral(KV_TEST_DATA "/example.chp"), json}).exitCode, 0);
    QVERIFY(kvtest::writeAll(json, kvtest::readAll(json).replace("\"正\"", "\"up\"")));
    const struct {
      QStringList args;
      const char* chinese;
      const char* english;
    } cases[] = {
        {{"frobnicate"}, "没有“frobnicate”这个命令", "unknown command \"frobnicate\""},
        {{"import", dir.filePath("none.json"), dir.filePath("o.chp")},
         "文件不存在",
         "no such file"},
        {{"show", dir.path()}, "这是一个文件夹（错误75）", "it is a folder (error 75)"},
        {{"import", json, dir.filePath("o.chp")},
         "must be one of: 正, 负",
         "must be one of: Positive, Negative"},
    };
    for (const auto& c : cases) {
      const CliRun chinese = runCli(QStringList{"--lang", "zh"} + c.args);
      const CliRun english = runCli(QStringList{"--lang", "en"} + c.args);
      QVERIFY2(chinese.err.contains(QString::fromUtf8(c.chinese)), qPrintable(chinese.err));
      QVERIFY2(english.err.contains(QLatin1String(c.english)), qPrintable(english.err));
      QVERIFY2(!kvtest::hasChinese(english.err), qPrintable(english.err));
      QCOMPARE(english.exitCode, chinese.exitCode);
    }
  }

  // `ports` gives the same button, device, description, manufacturer, USB id and "ok" in both
  // languages, and the same JSON; only a reason why a port cannot be used follows the language.
  void portsAreTheSameInBothLanguages() {
    qputenv("KVPROG_PORTS", "/dev/null,/dev/kvprog-gone");
    // A line's last column where it is not "ok", or the JSON's "reason".
    static const QRegularExpression reason(
        QStringLiteral("(?<=\\t)(?!ok\\n)[^\\t\\n]+(?=\\n)|(?<=\"reason\": )\"[^\"]*\""));
    for (const QStringList& command : {QStringList{"ports"}, QStringList{"ports", "--json"}}) {
      QString chinese = runCli(QStringList{"--lang", "zh"} + command).out;
      QString english = runCli(QStringList{"--lang", "en"} + command).out;
      QVERIFY2(chinese.contains("端口“/dev/kvprog-gone”不存在") && english != chinese,
               qPrintable(chinese));
      QCOMPARE(english.replace(reason, "?"), chinese.replace(reason, "?"));
    }
    qunsetenv("KVPROG_PORTS");
  }

  void langTakesOnlyZhOrEn() {
    for (const QStringList& args :
         {QStringList{"--lang", "zh_CN", "ports"}, QStringList{"--lang"}}) {
      const CliRun run = runCli(args);
      QCOMPARE(run.exitCode, 1);
      QCOMPARE(run.err, QStringLiteral("kvprog-cli: --lang must be zh or en\n"));
      QVERIFY(run.out.isEmpty());
    }
  }

  // The files keep the values; an import takes their English texts too, in any letter case.
  void importTakesEnglishValueTexts() {
    QTemporaryDir dir;
    const QString example = QStringLiteral(KV_TEST_DATA "/example.chp");
    for (const QString form : {"json", "csv"}) {
      const QString file = dir.filePath("a." + form), again = dir.filePath("b." + form);
      QCOMPARE(runCli({"export", example, file}).exitCode, 0);
      const QByteArray original = kvtest::readAll(file);
      QByteArray english = original;
      english.replace("\"打开\"", "\"ON\"").replace("\"窄\"", "\"Narrow\"");
      english.replace(",否,窄,中", ",no,NARROW,Mid").replace("\"中\"", "\"mid\"");
      english.replace("\"正\"", "\"POSITIVE\"").replace("13MHz", "13mhz");
      english.replace("\"KV--410B(1)\"", "\"kv--410b(1)\"");
      QVERIFY(english != original && kvtest::writeAll(file, english));
      const QStringList base = form == "csv" ? QStringList{"--base", example} : QStringList();
      const CliRun run =
          runCli(QStringList{"import"} + base + QStringList{file, dir.filePath("b.chp")});
      QVERIFY2(run.exitCode == 0, qPrintable(run.err));
      QCOMPARE(runCli({"export", dir.filePath("b.chp"), again}).exitCode, 0);
      QCOMPARE(kvtest::readAll(again), original);
    }
  }
};

QTEST_GUILESS_MAIN(TestCliLanguage)
#include "test_cli_language.moc"
