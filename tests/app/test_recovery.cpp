#include <QApplication>
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

QString copyOf(qint64 pid) {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/recovery/%1.chp").arg(pid);
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
    window.start(QCoreApplication::applicationFilePath(), {QLatin1String(kModifiedWindow)});
    QVERIFY(window.waitForReadyRead(30000));  // the copy comes five seconds after the typing
    QVERIFY(QFile::exists(copyOf(window.processId())));
    auto w = kv::test::openMainWindow();  // a second program beside it leaves its copy alone
    (new RecoveryCopy(*w))->offerCopies();
    QVERIFY(prompts::shown().isEmpty());
    w.reset();

    window.kill();  // SIGKILL
    QVERIFY(window.waitForFinished(5000));
    QVERIFY(!saveChpFile(copyOf(4194305), RadioData{}));  // an older one: 否 deletes it
    QFile older(copyOf(4194305));
    QVERIFY(older.open(QIODevice::Append) &&
            older.setFileTime(QDateTime(QDate(2020, 1, 1), QTime()),
                              QFileDevice::FileModificationTime));
    older.close();
    w = kv::test::openMainWindow();
    prompts::queueAnswer(prompts::Answer::Yes);
    prompts::queueAnswer(prompts::Answer::No);
    (new RecoveryCopy(*w))->offerCopies();
    QCOMPARE(prompts::shown().size(), 2);
    const prompts::Shown asked = prompts::shown()[1];
    QVERIFY(asked.text == QStringLiteral("发现未保存的数据，是否恢复？") &&
            asked.title == QStringLiteral("提示") && asked.buttons == prompts::Buttons::YesNo);
    QCOMPARE(w->data().cell(1, 1), QStringLiteral("450.12500"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 *"));  // modified, no file
    const QString own = copyOf(QCoreApplication::applicationPid());
    QCOMPARE(QFileInfo(own).dir().entryList({QStringLiteral("*.chp")}),
             QStringList{QFileInfo(own).fileName()});

    prompts::queueAnswer(prompts::Answer::No);  // closing gives the edits up: the copy goes
    QVERIFY(w->close() && !QFile::exists(own));
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
