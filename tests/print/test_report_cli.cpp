#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "image/chpfile.h"
#include "image/inifile.h"
#include "pdftext.h"
#include "testfiles.h"

using namespace kv;

// kvprog-cli report, run as a user runs it: no display, the settings file beside the program.
class TestReportCli : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

  int run(const QStringList& args, QString* err = nullptr) {
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(KV_BIN_DIR "/kvprog-cli"), QStringList{"report"} + args);
    cli.waitForFinished();
    if (err) *err = QString::fromUtf8(cli.readAllStandardError());
    return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  }

 private slots:
  void rendersTheReportWithTheModelsBand() {
    RadioData data;
    data.settings.model = 5;
    data.cell(1, kRxFreq) = QStringLiteral("450.12500");
    data.cell(1, kTxFreq) = QStringLiteral("451.00000");
    const QString chp = dir_.filePath(QStringLiteral("a.chp"));
    QVERIFY(!saveChpFile(chp, data));
    const QString pdf = dir_.filePath(QStringLiteral("a.pdf"));
    QCOMPARE(run({chp, pdf}), 0);
    const QString text = kvtest::pdfText(pdf);
    const Bands bands = readBands(IniFile(settingsFilePath(QStringLiteral(KV_BIN_DIR))));
    QVERIFY(text.contains(QStringLiteral("本机设置数据第一页")));
    QVERIFY(text.contains(QStringLiteral("频率：") + bandTextOf(bands, 5)));
    QVERIFY(text.contains(QStringLiteral("450.12500")));
    QVERIFY(text.contains(QStringLiteral("451.00000")));
  }

  void writesNothingForAFileThatDoesNotLoad() {
    const QString pdf = dir_.filePath(QStringLiteral("b.pdf"));
    QString err;
    QVERIFY(run({dir_.filePath(QStringLiteral("missing.chp")), pdf}, &err) != 0);
    QVERIFY(err.contains(QStringLiteral("missing.chp")));
    QVERIFY(!QFile::exists(pdf));

    // A file cut off after its settings lines stops the loader half-way.
    const QString chp = dir_.filePath(QStringLiteral("cut.chp"));
    QVERIFY(!saveChpFile(chp, RadioData{}));
    QVERIFY(kvtest::writeAll(chp, kvtest::readAll(chp).left(5 * 37)));
    RadioData probe;
    const LoadResult loaded = loadChpFile(chp, probe);
    QCOMPARE(loaded.status, LoadStatus::Failed);
    QVERIFY(run({chp, pdf}, &err) != 0);
    QVERIFY2(err.contains(loaded.error.description), qPrintable(err));
    QVERIFY(!QFile::exists(pdf));
  }
};

QTEST_GUILESS_MAIN(TestReportCli)
#include "test_report_cli.moc"
