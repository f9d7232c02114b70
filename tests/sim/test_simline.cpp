// kvsim's line pacing: bytes take their time one after the other, and Ctrl-C ends a wait.
#include <pthread.h>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <csignal>

#include "sim/line.h"
#include "sim/monotonic.h"

using kv::sim::Line;

class TestSimLine : public QObject {
  Q_OBJECT

 private slots:
  void burstsQueueBehindEachOther() {
    const Line line(9600);  // 96 bytes take 100 ms
    qint64 freeAt = 0;
    QElapsedTimer timer;
    timer.start();
    line.cross(freeAt, 48);
    line.cross(freeAt, 48);  // starts when the first has crossed, not when it is sent
    QVERIFY2(timer.elapsed() >= 99, qPrintable(QString::number(timer.elapsed())));
    QVERIFY2(timer.elapsed() < 400, qPrintable(QString::number(timer.elapsed())));

    const Line unpaced(0);
    timer.restart();
    unpaced.cross(freeAt, 1'000'000);
    QVERIFY(timer.elapsed() < 50);
  }

  // Last: the stop stays requested for the rest of the process.
  void stopEndsAWaitAtOnce() {
    kv::sim::stopOnSignals();
    const Line slow(10);  // a byte a second
    // As Ctrl-C reaches the emulator: at the thread that waits.
    const pthread_t waiting = pthread_self();
    QThread* stopper = QThread::create([waiting] {
      QThread::msleep(100);
      pthread_kill(waiting, SIGTERM);
    });
    stopper->start();
    qint64 freeAt = 0;
    QElapsedTimer timer;
    timer.start();
    slow.cross(freeAt, 10);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(kv::sim::stopRequested());
    stopper->wait();
    delete stopper;
  }
};

QTEST_GUILESS_MAIN(TestSimLine)
#include "test_simline.moc"
