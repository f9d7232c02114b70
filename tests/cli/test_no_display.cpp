// --version and --help of every program, run where there is no display and no usable Qt
// platform: a server, a build machine, help2man.
#include <QProcess>
#include <QTest>

class TestNoDisplay : public QObject {
  Q_OBJECT

 private slots:
  void versionAndHelpPrintAndSucceed_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QString>("platform");  // empty: QT_QPA_PLATFORM unset
    for (const QString platform : {"", "no-such-platform"}) {
      for (const QString program : {"kvprog", "kvprog-cli", "kvsim"}) {
        const QByteArray row = (program + ' ' + platform).toUtf8();
        QTest::newRow(row + " --version")
            << program << QStringList{"--version"} << program + " " << platform;
        QTest::newRow(row + " --help") << program << QStringList{"--help"} << "Usage:" << platform;
      }
      // The one command that draws: its help needs no platform either.
      QTest::newRow(QByteArray("report --help ") + platform.toUtf8())
          << "kvprog-cli" << QStringList{"report", "--help"} << "Usage: kvprog-cli report"
          << platform;
    }
  }
  void versionAndHelpPrintAndSucceed() {
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    QFETCH(QString, platform);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    if (!platform.isEmpty()) env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KV_BIN_DIR "/") + program, args);
    QVERIFY(process.waitForFinished(20000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, qPrintable(err));
    QVERIFY2(QString::fromUtf8(process.readAllStandardOutput()).contains(says), qPrintable(says));
  }
};

QTEST_GUILESS_MAIN(TestNoDisplay)
#include "test_no_display.moc"
