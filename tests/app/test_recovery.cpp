#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <cstdio>

#include "../editor/editorfixture.h"
#include "app/recoverycopy.h"
#include "fulldisk.h"
#include "image/chpfile.h"
#include "image/programfolders.h"
#include "usersettingsdir.h"

using namespace kv;

namespace {

const char kModifiedWindow[] = "--modified-window";

// The copy's timing ten times faster: a user's second is a tenth of one here.
const int kSecondMs = 100;
const RecoveryCopy::Timing kTenfold{500, 500, 3000};

// The frequency typed by the n-th edit, and back.
QString frequencyOfEdit(int n) { return QString::number(410 + n * 0.0125, 'f', 5); }
int editOfFrequency(const QString& text) { return qRound((text.toDouble() - 410) / 0.0125); }

void typeEdit(mainFrm& w, int n) {
  kv::test::clickCell(w, 1, 1);
  QTest::keyClicks(w.channelGrid()->rxFreqEditor(), frequencyOfEdit(n));
  QTest::keyClick(w.channelGrid()->rxFreqEditor(), Qt::Key_Return);
}

QString copyOf(qint64 pid) {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/recovery/%1.chp").arg(pid);
}

// A user who never pauses: a new frequency in channel 1 every second, each edit's number
// printed once it is in the document, until the program is killed.
int runEditingWindow() {
  auto w = kv::test::openMainWindow();
  new RecoveryCopy(*w, kTenfold);
  for (int n = 0;; ++n) {
    typeEdit(*w, n);
    std::printf("%d\n", n);
    std::fflush(stdout);
    QTest::qWait(kSecondMs);
  }
}

// The number of the last edit `window` printed, `last` when it printed none since.
int lastEdit(QProcess& window, int last) {
  const QByteArray out = window.readAllStandardOutput().trimmed();
  return out.isEmpty() ? last : out.split('\n').last().toInt();
}

}  // namespace

class TestRecovery : public QObject {
  Q_OBJECT

 private slots:
  // Forty seconds of edits without a pause, then the program is killed: the next start
  // offers a copy no more than thirty seconds behind.
  void editsOfAKilledWindowAreOfferedAtTheNextStart() {
    QProcess window;
    window.start(QCoreApplication::applicationFilePath(), {QLatin1String(kModifiedWindow)});
    int last = -1;
    while (last < 40) {
      QVERIFY(window.waitForReadyRead(30000));
      last = lastEdit(window, last);
    }
    QVERIFY(QFile::exists(copyOf(window.processId())));
    auto w = kv::test::openMainWindow();  // a second program beside it leaves its copy alone
    (new RecoveryCopy(*w))->offerCopies();
    QVERIFY(prompts::shown().isEmpty());
    w.reset();

    window.kill();  // SIGKILL
    QVERIFY(window.waitForFinished(5000));
    last = lastEdit(window, last);
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
    const int copied = editOfFrequency(w->data().cell(1, 1));
    QVERIFY2(copied <= last && copied >= last - 30,
             qPrintable(QStringLiteral("%1 of %2").arg(copied).arg(last)));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tervan_V3.0编程软件 *"));  // modified, no file
    const QString own = copyOf(QCoreApplication::applicationPid());
    QCOMPARE(QFileInfo(own).dir().entryList({QStringLiteral("*.chp")}),
             QStringList{QFileInfo(own).fileName()});

    prompts::queueAnswer(prompts::Answer::No);  // closing gives the edits up: the copy goes
    QVERIFY(w->close() && !QFile::exists(own));
  }

  // A copy that cannot be written goes, so that an older one is never offered as the latest,
  // and the status bar says why until a copy can be written again.
  void aCopyThatCannotBeWrittenIsRemoved() {
    kvtest::FullDisk disk;
    if (!disk.mounted()) QSKIP(disk.skipReason());
    const QByteArray home = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", disk.path().toLocal8Bit());
    auto w = kv::test::openMainWindow();
    new RecoveryCopy(*w, kTenfold);
    qputenv("XDG_DATA_HOME", home);
    w->statusBar()->showMessage(QStringLiteral("COM1"));
    const QString copy = disk.filePath(
        QStringLiteral("kvprog/recovery/%1.chp").arg(QCoreApplication::applicationPid()));
    typeEdit(*w, 1);
    QTRY_VERIFY(QFile::exists(copy));
    QVERIFY(disk.fill());
    typeEdit(*w, 2);
    QTRY_VERIFY(!QFile::exists(copy));
    QVERIFY2(w->statusBar()->currentMessage().startsWith(QStringLiteral("无法保存恢复副本：")),
             qPrintable(w->statusBar()->currentMessage()));
    QVERIFY(QFile::remove(disk.filePath(QStringLiteral("filler"))));
    typeEdit(*w, 3);
    QTRY_VERIFY(QFile::exists(copy));
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("COM1"));
  }
};

int main(int argc, char* argv[]) {
  // The window started by the test shares the test's data folders.
  const bool modifiedWindow = argc > 1 && qstrcmp(argv[1], kModifiedWindow) == 0;
  if (!modifiedWindow) kvtest::useTemporaryDataFolders();
  QApplication app(argc, argv);
  useProgramIdentity();
  if (modifiedWindow) return runEditingWindow();
  TestRecovery test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_recovery.moc"
