#include <unistd.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "clirun.h"
#include "image/memoryimage.h"
#include "kvsimprocess.h"
#include "link/portholders.h"
#include "sampledata.h"
#include "testfiles.h"

using kvtest::CliRun;
using kvtest::KvsimProcess;
using kvtest::runCli;

namespace {

// A program that holds `device` open: started as `name` (exec -a), or a command of its own.
class Holder {
 public:
  Holder(const QString& program, const QStringList& args, const QString& device) {
    process_.start(program, args);
    QTRY_VERIFY_WITH_TIMEOUT(!kv::portHolders(device).isEmpty(), 5000);
  }
  ~Holder() {
    process_.kill();
    process_.waitForFinished();
  }
  qint64 pid() const { return process_.processId(); }

 private:
  QProcess process_;
};

// The blocks of `check`'s text, by the port they begin with.
QMap<QString, QString> blocks(const QString& out, const QString& portLabel) {
  QMap<QString, QString> byPort;
  for (const QString& block : out.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts))
    byPort[block.section(QLatin1Char('\n'), 0, 0).remove(portLabel)] = block;
  return byPort;
}

// The JSON objects by device.
QMap<QString, QJsonObject> objects(const QString& out) {
  QMap<QString, QJsonObject> byDevice;
  for (const QJsonValue& value : QJsonDocument::fromJson(out.toUtf8()).array())
    byDevice[value[QStringLiteral("device")].toString()] = value.toObject();
  return byDevice;
}

}  // namespace

class TestCliCheck : public QObject {
  Q_OBJECT

 private slots:
  // One port of each kind, checked at once: each gets its verdict and advice in Chinese and
  // in English, and the same JSON in both.
  void everyVerdictInBothLanguagesAndJson() {
    QTemporaryDir dir;
    kv::RadioData data = kvtest::sampleRadioData();
    data.settings.model = 0;
    QVERIFY(kvtest::writeAll(dir.filePath("radio.bin"), kv::encodeImage(data).bytes));
    const struct {
      QStringList kvsim;
      const char* code;
      const char* chinese;
      const char* english;
    } cases[] = {
        {{"--image", dir.filePath("radio.bin")},
         "ok",
         "对讲机工作正常：KV--410B(1)。可以读频和写频。",
         "The radio works: KV--410B(1). It can be read and written."},
        {{"--silent"},
         "silent",
         "对讲机没有回应。请确认对讲机已开机、编程线插头已插到底、选择的端口是编程线的端口。",
         "The radio did not answer. Make sure the radio is on"},
        {{"--echo"},
         "echo",
         "收到的正是发出的数据：编程线有回声，但对讲机没有回应。请把插头插紧，或换一根编程线。",
         "the cable echoes, but the radio did not answer. Push the plug in firmly"},
        {{"--garble"}, "garbled", "收到的数据不是对讲机的回答", "no answer of a radio"},
        {{"--refuse"}, "refused", "对讲机拒绝了编程请求。", "The radio refused to be programmed."},
        {{"--short-at", "5"},  // a block answer a byte short
         "interrupted",
         "对讲机有回应，但读取在5/128处中断。",
         "the read broke off at 5/128"},
        {{},
         "busy",
         "端口被其他程序占用：brltty（进程 %1）。",
         "in use by another program: brltty (process %1)."},
        {{"--silent"},
         "busy",
         "端口被其他程序占用：kvprog-cli（进程 %1）。",
         "kvprog-cli (process %1)"},
        {{}, "no-port", "端口“/dev/kvprog-no-such-port”不存在。", "does not exist."},
    };
    std::vector<std::unique_ptr<KvsimProcess>> radios;
    QStringList devices;
    for (const auto& c : cases) {
      if (QLatin1String(c.code) == QLatin1String("no-port")) {
        devices << QStringLiteral("/dev/kvprog-no-such-port");
        continue;
      }
      radios.push_back(std::make_unique<KvsimProcess>(c.kvsim));
      devices << radios.back()->device();
    }
    // The braille display service, as it shows itself; and a read on a silent radio.
    const Holder brltty("bash", {"-c", "exec -a brltty sleep 60 < \"$0\"", devices[6]}, devices[6]);
    const Holder transfer(KV_BIN_DIR "/kvprog-cli",
                          {"read", "--port", devices[7], "--timeout", "60", dir.filePath("x.chp")},
                          devices[7]);
    const qint64 pids[] = {brltty.pid(), transfer.pid()};

    QStringList args{"check", "--timeout", "1"};
    for (const QString& device : devices) args << "--port" << device;
    const CliRun chinese = runCli(QStringList{"--lang", "zh"} + args);
    const CliRun english = runCli(QStringList{"--lang", "en"} + args);
    const CliRun json = runCli(args + QStringList{"--json"});
    for (const CliRun* run : {&chinese, &english, &json}) QCOMPARE(run->exitCode, 1);
    // The verdict and its advice read as one paragraph, as the window shows them.
    const auto zh = blocks(QString(chinese.out).replace("\n建议：", ""), "端口：");
    const auto en = blocks(QString(english.out).replace("\nAdvice: ", " "), "Port: ");
    const auto objectsZh = objects(json.out);
    for (int i = 0; i < int(std::size(cases)); ++i) {
      const auto& c = cases[i];
      const QString& device = devices[i];
      const bool busy = c.code == QLatin1String("busy");
      QString chineseText = QString::fromUtf8(c.chinese);
      QString englishText = QString::fromUtf8(c.english);
      if (busy) {
        chineseText = chineseText.arg(pids[i - 6]);
        englishText = englishText.arg(pids[i - 6]);
      }
      QVERIFY2(zh[device].contains(chineseText), qPrintable(zh[device]));
      QVERIFY2(en[device].contains(englishText), qPrintable(en[device]));
      QVERIFY2(!kvtest::hasChinese(en[device]), qPrintable(en[device]));
      QVERIFY(zh[device].contains("\n编程线：不是USB串口（主板上的串口或虚拟串口）\n结论："));
      const QJsonObject object = objectsZh[device];
      QCOMPARE(object["verdict"].toString(), QLatin1String(c.code));
      QVERIFY(zh[device].endsWith(object["message"].toString() + object["advice"].toString()));
      // Every verdict but a working radio says what to do next.
      QCOMPARE(object["advice"].toString().isEmpty(), c.code == QLatin1String("ok"));
      if (busy) QCOMPARE(object["holders"].toArray().first()["pid"].toInteger(), pids[i - 6]);
    }
    QCOMPARE(objectsZh[devices[0]]["model"].toString(), QStringLiteral("KV--410B(1)"));
    QCOMPARE(objectsZh[devices[6]]["holders"].toArray().first()["name"].toString(), "brltty");
    // No other program is named for a pseudo-terminal: kvsim at its far end does not count.
    QVERIFY(objectsZh[devices[1]]["holders"].toArray().isEmpty());
  }

  // A radio that answers on every port checked exits 0; Ctrl-C stops a check at once and
  // says nothing of a port it did not finish; a port this user may not open says what mends it.
  void exitStatusAndAccess() {
    KvsimProcess radio({});
    const CliRun ok = runCli({"check", "--port", radio.device()});
    QCOMPARE(ok.exitCode, 0);
    QVERIFY2(ok.out.contains("结论：对讲机工作正常"), qPrintable(ok.out));
    KvsimProcess silent({"--silent"});
    const CliRun stopped = kvtest::interruptCli({"check", "--port", silent.device()});
    QCOMPARE(stopped.exitCode, 130);
    QVERIFY(stopped.stopMs < 1000 && stopped.out.isEmpty());

    if (geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
      QSKIP("only root can run the tool as another user (setpriv)");
    const QStringList nobody{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    const CliRun denied = runCli({"check", "--port", radio.device(), "--json"}, 20000, nobody);
    QCOMPARE(denied.exitCode, 1);
    const QJsonObject object = QJsonDocument::fromJson(denied.out.toUtf8()).array()[0].toObject();
    QCOMPARE(object["verdict"].toString(), QStringLiteral("no-access"));
    QCOMPARE(object["message"].toString(), QStringLiteral("没有权限打开%1。").arg(radio.device()));
    QVERIFY(object["advice"].toString().contains("sudo usermod -aG dialout $USER"));
  }
};

QTEST_GUILESS_MAIN(TestCliCheck)
#include "test_cli_check.moc"
