#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdio>

#include "../editor/editorfixture.h"
#include "app/recoverycopy.h"
#include "image/chpfile.h"
#include "image/programfolders.h"
#include "usersettingsdir.h"

using namespace kv;

namespace {

const char kModifiedWindow[] = "--modified-window";

QString recoveryFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("recovery"));
}

QString copyOf(qint64 pid) {
  return QDir(recoveryFolder()).filePath(QStringLiteral("%1.chp").arg(pid));
}

// The program as a user leaves it: a frequency typed, then nothing until the copy is written.
// Prints "ready" and runs until it is killed.
int runModifiedWindow() {
  auto w = kv::test::openMainWindow();
  new RecoveryCopy(*w);
  kv::test::clickCell(*w, 1, 1);
  QTest::keyClicks(w->channelGrid()->rxFreqEditor(), QStringLiteral("450.125"));
  QTest::keyClick(w->channelGrid()->rxFreqEditor(), Qt::Key_Return);
  if (!QTest::qWaitFor([] { return QFile::exists(copyOf(QCoreApplication::applicationPid())); },
                       10000))
    return 1;
  std::puts("ready");
  std::fflush(stdout);
  return QApplication::exec();
}

}  // namespace

class TestRecovery : public QObject {
  Q_OBJECT

 private slots:
  void editsOfAKilledWindowAreOfferedAtTheNextStart() {
    QProcess window;
    window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    window.start(QCoreApplication::applicationFilePath(), {QLatin1String(kModifiedWindow)});
    QVERIFY(window.waitForReadyRead(30000));  // the copy comes five seconds after the typing
    const QString killed = copyOf(window.processId());
    QVERIFY(QFile::exists(killed));

    // A second program running beside it leaves its copy alone.
    auto w = kv::test::openMainWindow();
    (new RecoveryCopy(*w))->offerCopies();
    QVERIFY(prompts::shown().isEmpty());
    w.reset();

    window.kill();
    QVERIFY(window.waitForFinished(5000));
    // An older copy of another program that has ended.
    const QString older = copyOf(4194305);  // above the largest process number
    QVERIFY(!saveChpFile(older, RadioData{}));
    QFile file(older);
    QVERIFY(file.open(QIODevice::ReadWrite) &&
            file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                             QFileDevice::FileModificationTime));
    file.close();

    w = kv::test::openMainWindow();
    prompts::queueAnswer(prompts::Answer::Yes);
    prompts::queueAnswer(prompts::Answer::No);
    (new RecoveryCopy(*w))->offerCopies();
    QCOMPARE(prompts::shown().size(), 2);
    for (const prompts::Shown& asked : prompts::shown()) {
      QCOMPARE(asked.text, QStringLiteral("发现未保存的数据，是否恢复？"));
      QCOMPARE(asked.title, QStringLiteral("提示"));
      QCOMPARE(asked.buttons, prompts::Buttons::YesNo);
    }
    QCOMPARE(w->data().cell(1, 1), QStringLiteral("450.12500"));  // the newest copy came back
    QVERIFY(w->isModified());
    QCOMPARE(w->currentFile(), QString());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 *"));
    const QString own = copyOf(QCoreApplication::applicationPid());
    QCOMPARE(QDir(recoveryFolder()).entryList({QStringLiteral("*.chp")}),
             QStringList{QFileInfo(own).fileName()});  // taken over; the older one deleted

    // Closing without saving gives the edits up: the copy goes.
    prompts::clearShown();
    prompts::queueAnswer(prompts::Answer::No);
    QVERIFY(w->close());
    QCOMPARE(prompts::shown().value(0).text, QStringLiteral("数据已修改，是否保存？"));
    QVERIFY(!QFile::exists(own));
  }
};

int main(int argc, char* argv[]) {
  // The window started by the test shares the test's data folders.
  const bool modifiedWindow = argc > 1 && qstrcmp(argv[1], kModifiedWindow) == 0;
  if (!modifiedWindow) kvtest::useTemporaryDataFolders();
  QApplication app(argc, argv);
  useProgramIdentity();
  if (modifiedWindow) return runModifiedWindow();
  TestRecovery test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_recovery.moc"
