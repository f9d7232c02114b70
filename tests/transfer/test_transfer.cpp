#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <QTimer>
#include "sampledata.h"

#include "image/chpfile.h"
#include "image/memoryimage.h"
#include "kvsimprocess.h"
#include "screenshot.h"
#include "transfer/frmwait.h"
#include "transfer/transfercommands.h"
#include "transfer/transferjob.h"
#include "ui/prompts.h"
#include "usersettingsdir.h"

using namespace kv;
using kvtest::KvsimProcess;

namespace {

// Presses the progress window's Cancel once it is up.
void cancelProgressWindowAfter(int msecs) {
  QTimer::singleShot(msecs, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* wait = qobject_cast<frmWAIT*>(w); wait && wait->isVisible())
        wait->cmdCancel()->click();
  });
}

QStringList shownTexts() {
  QStringList texts;
  for (const auto& s : prompts::shown()) texts << s.text;
  return texts;
}

}  // namespace

class TestTransfer : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    kvtest::useTemporaryDataFolders();
    prompts::setTestMode(true);
  }
  void init() { prompts::setTestMode(true); }

  void progressWindowStartsAfterHalfASecondAndAsksBeforeCancelling() {
    frmWAIT window;
    window.show();
    QSignalSpy start(&window, &frmWAIT::startTransfer);
    QSignalSpy cancelled(&window, &frmWAIT::cancelConfirmed);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(start.wait(2000));
    QVERIFY(timer.elapsed() >= 450);
    QCOMPARE(window.pgbCount()->maximum(), 128);
    window.setCaption(QStringLiteral("正在向对讲机写入数据。。。"));
    window.setProgress(34);
    kvtest::screenshot(window, "frmWAIT");

    prompts::queueAnswer(false);
    window.cmdCancel()->click();
    QCOMPARE(prompts::shown().last().text, QStringLiteral("确定要取消吗"));
    QCOMPARE(prompts::shown().last().title, QStringLiteral("提示"));
    QCOMPARE(prompts::shown().last().buttons, prompts::Buttons::OkCancel);
    QVERIFY(window.isVisible());
    QVERIFY(window.blnReandOrWrite());
    QCOMPARE(cancelled.size(), 0);

    prompts::queueAnswer(true);
    window.cmdCancel()->click();
    QVERIFY(!window.isVisible());
    QVERIFY(!window.blnReandOrWrite());
    QCOMPARE(cancelled.size(), 1);
  }

  void writeThenReadThroughTheWindow() {
    QTemporaryDir dir;
    KvsimProcess sim({"--image", dir.filePath("radio.bin")});
    qputenv("KVPROG_PORTS", sim.device().toLocal8Bit());
    const RadioData data = kvtest::sampleRadioData();
    QVERIFY(runWriteCommand(nullptr, data));
    QCOMPARE(shownTexts(), QStringList{"确定要开始写频吗?"});
    QCOMPARE(prompts::shown()[0].title, QStringLiteral("写频进度显示"));
    QCOMPARE(prompts::shown()[0].buttons, prompts::Buttons::OkCancel);
    QFile memory(dir.filePath("radio.bin"));
    QVERIFY(memory.open(QIODevice::ReadOnly));
    QCOMPARE(memory.readAll(), encodeImage(data).bytes);

    prompts::clearShown();
    RadioData read;
    QString loadedFrom;
    QVERIFY(runReadCommand(nullptr, [&](const QString& path) {
      loadedFrom = path;
      return loadChpFile(path, read).status == LoadStatus::Loaded;
    }));
    QCOMPARE(shownTexts(), QStringList{"确定要开始读频吗?"});
    QCOMPARE(prompts::shown()[0].title, QStringLiteral("读频进度显示"));
    QCOMPARE(loadedFrom, scratchFilePath());
    QCOMPARE(read.cell(1, kTxSignal), QStringLiteral("D023I"));
    QCOMPARE(read.cell(1, kTxPower), QStringLiteral("中"));
    QCOMPARE(read.settings, data.settings);

    // Declining the confirmation does nothing.
    prompts::clearShown();
    prompts::queueAnswer(false);
    QVERIFY(!runReadCommand(nullptr, [](const QString&) {
      QTest::qFail("no read", __FILE__, __LINE__);
      return false;
    }));
    QCOMPARE(prompts::shown().size(), 1);
    qunsetenv("KVPROG_PORTS");
  }

  void cancelStopsTheTransferAtOnce() {
    KvsimProcess sim({"--no-handshake"});
    qputenv("KVPROG_PORTS", sim.device().toLocal8Bit());
    prompts::queueAnswer(true);  // start
    prompts::queueAnswer(true);  // cancel
    cancelProgressWindowAfter(1500);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!runWriteCommand(nullptr, kvtest::sampleRadioData()));
    QVERIFY(timer.elapsed() < 2500);
    QCOMPARE(shownTexts(), (QStringList{"确定要开始写频吗?", "确定要取消吗"}));
    qunsetenv("KVPROG_PORTS");
  }

  void missingPortIsReportedWithoutTheWindow() {
    qputenv("KVPROG_PORTS", "/dev/kvprog-no-such-port");
    QVERIFY(!runReadCommand(nullptr, [](const QString&) {
      QTest::qFail("no load", __FILE__, __LINE__);
      return false;
    }));
    QCOMPARE(prompts::shown().size(), 2);
    QCOMPARE(prompts::shown()[1].title, QStringLiteral("8002"));
    QCOMPARE(prompts::shown()[1].icon, prompts::Icon::Information);
    qunsetenv("KVPROG_PORTS");
  }

  void undeletableScratchFileStopsTheReadBeforeTheWindow() {
    KvsimProcess sim({});
    qputenv("KVPROG_PORTS", sim.device().toLocal8Bit());
    // A folder where the scratch file should be cannot be deleted like a file.
    const QString scratch = scratchFilePath();
    QFile::remove(scratch);
    QVERIFY(QDir().mkpath(scratch));
    QVERIFY(QFile(QDir(scratch).filePath("kept")).open(QIODevice::WriteOnly));
    prompts::clearShown();
    QVERIFY(!runReadCommand(nullptr, [](const QString&) {
      QTest::qFail("no load", __FILE__, __LINE__);
      return false;
    }));
    QCOMPARE(prompts::shown().size(), 2);
    QCOMPARE(prompts::shown()[1].title, QStringLiteral("75"));
    QCOMPARE(prompts::shown()[1].icon, prompts::Icon::Information);
    QVERIFY(prompts::shown()[1].text.contains(scratch));
    QVERIFY(QDir(scratch).removeRecursively());
    qunsetenv("KVPROG_PORTS");
  }

  void quittingWhileACancelledReadWindsDownReturns() {
    // The radio stops answering at block 5: the read waits there until it is cancelled, and
    // then loads what it stored, which needs the GUI thread.
    KvsimProcess sim({"--silent-from", "5"});
    QTemporaryDir dir;
    LinkSession session;
    TransferJob::Request request;
    request.device = sim.device();
    request.scratchPath = dir.filePath("received.chp");
    bool loaded = false;
    request.load = [&loaded](const QString&) { return loaded = true; };
    auto job = std::make_unique<TransferJob>(std::move(request), session);
    QSignalSpy progress(job.get(), &TransferJob::progressChanged);
    job->start();
    QVERIFY(!job->waitUntilOpen());
    job->begin();
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().first().toInt() == 5, 5000);

    // The program is closing: its event loops have ended, and the window cancels the read
    // and waits for the worker before it goes (a deadlock here ends in Qt Test's time-out).
    QElapsedTimer timer;
    timer.start();
    job.reset();
    QVERIFY(timer.elapsed() < 1000);
    QVERIFY(!loaded);  // nothing is loaded into a window that is going
  }

  void timeoutMessageThenCancelInTheWindow() {
    KvsimProcess sim({"--silent-from", "5"});
    qputenv("KVPROG_PORTS", sim.device().toLocal8Bit());
    LinkOptions options;
    options.timeoutMs = 1000;
    setLinkOptions(options);
    prompts::queueAnswer(true);  // start
    prompts::queueAnswer(true);  // time-out message
    prompts::queueAnswer(true);  // cancel
    cancelProgressWindowAfter(4000);
    QVERIFY(!runWriteCommand(nullptr, kvtest::sampleRadioData()));
    // Blocks 0..4 went in before the radio fell silent: the cancel leaves it half-written.
    QCOMPARE(shownTexts(), (QStringList{"确定要开始写频吗?", linktext::kNoAnswer, "确定要取消吗",
                                        jobtext::kCancelledMidWrite}));
    QCOMPARE(prompts::shown()[3].title, QStringLiteral("提示"));
    QCOMPARE(prompts::shown()[3].icon, prompts::Icon::Warning);
    QCOMPARE(prompts::shown()[1].title, QStringLiteral("信息提示"));
    setLinkOptions({});
    qunsetenv("KVPROG_PORTS");
  }

  void cablePulledMidWriteEndsTheTransferAtOnce() {
    KvsimProcess sim({"--drop-at", "40"});
    qputenv("KVPROG_PORTS", sim.device().toLocal8Bit());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!runWriteCommand(nullptr, kvtest::sampleRadioData()));
    // Half a second before the start, a moment for the handshake and 40 blocks, then the
    // port's error: far from the minute the time-out would take.
    QVERIFY2(timer.elapsed() < 2500, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(shownTexts(), (QStringList{"确定要开始写频吗?", portNotOpen().description}));
    QCOMPARE(prompts::shown()[1].title, QStringLiteral("8018"));
    qunsetenv("KVPROG_PORTS");
  }
};

QTEST_MAIN(TestTransfer)
#include "test_transfer.moc"
