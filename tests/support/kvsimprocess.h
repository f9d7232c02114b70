#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

namespace kvtest {

// A kvsim radio for the length of a test: started with the given options, stopped (and
// checked to stop) at the end.
class KvsimProcess {
 public:
  explicit KvsimProcess(const QStringList& options) {
    process_.start(QStringLiteral(KV_BIN_DIR "/kvsim"), options);
    if (process_.waitForReadyRead(5000))
      device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
  }
  ~KvsimProcess() { stop(); }

  const QString& device() const { return device_; }
  bool running() const { return process_.state() == QProcess::Running; }
  // SIGTERM ends kvsim cleanly; true when it has gone.
  bool stop() {
    if (process_.state() == QProcess::NotRunning) return true;
    process_.terminate();
    if (process_.waitForFinished(3000)) return true;
    process_.kill();
    process_.waitForFinished(3000);
    return false;
  }

 private:
  QProcess process_;
  QString device_;
};

}  // namespace kvtest
