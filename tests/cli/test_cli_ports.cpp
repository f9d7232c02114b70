#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "link/systemserialport.h"

using namespace kv;

namespace {

// A real serial device node: the terminal side of a pseudo-terminal.
class Pty {
 public:
  Pty() {
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) == 0)
      device_ = QString::fromLocal8Bit(ttyname(slave_));
  }
  ~Pty() {
    close(slave_);
    close(master_);
  }
  const QString& device() const { return device_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  QString device_;
};

struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
};

// Runs kvprog-cli, as the unprivileged user "nobody" when `asNobody` (root may open any
// device, so its runs say nothing about permissions).
CliRun runCli(const QStringList& args, const QString& ports = {}, bool asNobody = false) {
  QProcess cli;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!ports.isEmpty()) env.insert(QStringLiteral("KVPROG_PORTS"), ports);
  cli.setProcessEnvironment(env);
  const QString program = QStringLiteral(KV_BIN_DIR "/kvprog-cli");
  if (asNobody)
    cli.start(
        QStringLiteral("setpriv"),
        QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", "--", program} + args);
  else
    cli.start(program, args);
  CliRun run;
  if (!cli.waitForFinished(20000)) {
    cli.kill();
    cli.waitForFinished();
    return run;
  }
  run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  run.out = QString::fromUtf8(cli.readAllStandardOutput());
  run.err = QString::fromUtf8(cli.readAllStandardError());
  return run;
}

}  // namespace

class TestCliPorts : public QObject {
  Q_OBJECT

 private slots:
  void portTheUserMayNotOpenSaysWhatMendsIt() {
    const bool root = geteuid() == 0;
    if (root && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
      QSKIP("running as root, and setpriv (util-linux) is missing to run the tool as nobody");
    Pty pty;
    QVERIFY(!pty.device().isEmpty());
    QCOMPARE(chmod(QFile::encodeName(pty.device()).constData(), 0), 0);
    const QString message = QStringLiteral(
                                "没有权限打开%1。请把当前用户加入 dialout 组（sudo usermod -aG "
                                "dialout $USER），然后重新登录。")
                                .arg(pty.device());

    const CliRun read =
        runCli({"read", "--port", pty.device(), "/tmp/kvprog-never-written.chp"}, {}, root);
    QCOMPARE(read.exitCode, 1);
    QVERIFY2(read.err.contains(message), qPrintable(read.err));

    const CliRun list = runCli({"ports"}, pty.device(), root);
    QCOMPARE(list.exitCode, 0);
    const QStringList lines = list.out.split('\n');
    QCOMPARE(lines.first(),
             QStringLiteral("BUTTON\tDEVICE\tDESCRIPTION\tMANUFACTURER\tUSB_ID\tSTATUS"));
    QCOMPARE(lines.value(1),
             QStringList({"COM1", pty.device(), "-", "-", "-", message}).join('\t'));
    const CliRun json = runCli({"ports", "--json"}, pty.device(), root);
    const QJsonObject first = QJsonDocument::fromJson(json.out.toUtf8()).array().first().toObject();
    QCOMPARE(first.value("button").toString(), QStringLiteral("COM1"));
    QCOMPARE(first.value("device").toString(), pty.device());
    QVERIFY(first.value("vid").isNull() && first.value("pid").isNull());
    QCOMPARE(first.value("usable").toBool(true), false);
    QCOMPARE(first.value("reason").toString(), message);
  }

  void busyPortKeepsItsMessage() {
    Pty pty;
    SystemSerialPort holder;  // another program has the port
    QVERIFY(!holder.open(pty.device()));
    const CliRun read = runCli({"read", "--port", pty.device(), "/tmp/kvprog-never-written.chp"});
    QCOMPARE(read.exitCode, 1);
    QVERIFY2(read.err.contains(QStringLiteral("已被占用或无权使用")), qPrintable(read.err));
    QVERIFY(!read.err.contains(QStringLiteral("dialout")));
    // Listing never opens a port, so it finds this one usable.
    QVERIFY(runCli({"ports"}, pty.device())
                .out.split('\n')
                .value(1)
                .startsWith("COM1\t" + pty.device()));
  }

  // Stable device names hold colons; KVPROG_PORTS separates its entries with commas.
  void namedPortsWithColonsInTheirNames() {
    Pty first, second;
    QTemporaryDir dir;
    const QString byPath = dir.filePath("pci-0000:00:14.0-usb-0:1:1.0-port0");
    QVERIFY(QFile::link(first.device(), byPath));
    const QList<std::pair<QString, QStringList>> cases{
        {byPath, {byPath}},
        {" " + byPath + " , " + second.device() + ",", {byPath, second.device()}},
        // Without a comma, a value that is no path keeps the old colon-separated form.
        {first.device() + ":" + second.device(), {first.device(), second.device()}}};
    for (const auto& [value, devices] : cases) {
      const QStringList lines = runCli({"ports"}, value).out.split('\n').mid(1);  // no header
      for (int i = 0; i < devices.size(); ++i)
        QVERIFY2(
            lines.value(i).startsWith(QStringLiteral("COM%1\t%2\t").arg(i + 1).arg(devices[i])),
            qPrintable(value + ": " + lines.join('|')));
    }
  }
};

QTEST_GUILESS_MAIN(TestCliPorts)
#include "test_cli_ports.moc"
