#include <QElapsedTimer>
#include <QTest>

#include "link/win32serialport.h"

using namespace kv;

// The Win32 serial port on a COM port that scripts/test-windows maps to a kvsim
// pseudo-terminal (KVPROG_TEST_COM, e.g. COM5); the transfers through it are the CLI's write
// and read in that script.
class TestWin32SerialPort : public QObject {
  Q_OBJECT

  QString com_ = qEnvironmentVariable("KVPROG_TEST_COM");

 private slots:
  void init() {
    if (com_.isEmpty()) QSKIP("KVPROG_TEST_COM names no COM port");
  }

  void missingOrClosedPortsSayWhy() {
    Win32SerialPort port;
    const auto missing = port.open(QStringLiteral("COM199"));
    QVERIFY(missing);
    QCOMPARE(missing->number, errnum::kPortNotFound);
    QCOMPARE(missing->description, QStringLiteral("端口“COM199”不存在"));
    QVERIFY(!port.isOpen());
    QCOMPARE(port.write("x")->number, errnum::kPortNotOpen);
    QVERIFY(!port.waitForReadyRead(10));
  }

  // A silent radio: the wait returns after its time, neither at once nor much later, and
  // nothing arrives; the port stays open.
  void readsWaitForTheirTimeOut() {
    Win32SerialPort port;
    QCOMPARE(port.open(com_), std::nullopt);
    QCOMPARE(port.open(com_), std::nullopt);  // already open: nothing to do
    QCOMPARE(port.bytesAvailable(), 0);
    for (int msecs : {100, 400}) {
      QElapsedTimer timer;
      timer.start();
      QVERIFY(!port.waitForReadyRead(msecs));
      QVERIFY2(timer.elapsed() >= msecs - 50 && timer.elapsed() < msecs + 1000,
               qPrintable(QString::number(timer.elapsed())));
    }
    QVERIFY(port.isOpen());
    QCOMPARE(port.write(QByteArray(64, '\0')), std::nullopt);
    port.clearInput();
    port.clearOutput();
    QCOMPARE(port.readAll(), QByteArray());
    port.close();
    QVERIFY(!port.isOpen());
    QCOMPARE(port.write("x")->number, errnum::kPortNotOpen);
  }
};

QTEST_GUILESS_MAIN(TestWin32SerialPort)
#include "test_win32serialport.moc"
