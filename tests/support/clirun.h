#pragma once

#include <sys/resource.h>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <csignal>

namespace kvtest {

// One run of kvprog-cli: its exit status (-1 when it crashed or hung), what it printed and
// the CPU time it took.
struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
  double cpuSeconds = 0;
  qint64 stopMs = -1;  // interruptCli: how long it took to end after Ctrl-C
};

inline double childCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// `wrapper`, when given, runs kvprog-cli: {"setpriv", "--reuid=65534", ..., "--"}.
inline CliRun runCli(const QStringList& args, int limitMs = 20000,
                     const QStringList& wrapper = {}) {
  const double cpuBefore = childCpuSeconds();
  QProcess cli;
  const QString program = QStringLiteral(KV_BIN_DIR "/kvprog-cli");
  if (wrapper.isEmpty())
    cli.start(program, args);
  else
    cli.start(wrapper.first(), wrapper.mid(1) + QStringList{program} + args);
  CliRun run;
  if (!cli.waitForFinished(limitMs)) {
    cli.kill();
    cli.waitForFinished();
    run.err = QStringLiteral("hung");
    return run;
  }
  run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  run.out = QString::fromUtf8(cli.readAllStandardOutput());
  run.err = QString::fromUtf8(cli.readAllStandardError());
  run.cpuSeconds = childCpuSeconds() - cpuBefore;
  return run;
}

// kvprog-cli given Ctrl-C `afterMs` into its run.
inline CliRun interruptCli(const QStringList& args, int afterMs = 700) {
  QProcess cli;
  cli.start(QStringLiteral(KV_BIN_DIR "/kvprog-cli"), args);
  CliRun run;
  if (!cli.waitForStarted()) return run;
  QThread::msleep(afterMs);
  QElapsedTimer timer;
  timer.start();
  ::kill(pid_t(cli.processId()), SIGINT);
  if (!cli.waitForFinished(2000)) {
    cli.kill();
    cli.waitForFinished();
    run.err = QStringLiteral("hung");
    return run;
  }
  run.stopMs = timer.elapsed();
  run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  run.out = QString::fromUtf8(cli.readAllStandardOutput());
  run.err = QString::fromUtf8(cli.readAllStandardError());
  return run;
}

}  // namespace kvtest
