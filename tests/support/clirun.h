#pragma once

#include <sys/resource.h>
#include <QProcess>
#include <QStringList>

namespace kvtest {

// One run of kvprog-cli: its exit status (-1 when it crashed or hung), what it printed and
// the CPU time it took.
struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
  double cpuSeconds = 0;
};

inline double childCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline CliRun runCli(const QStringList& args, int limitMs = 20000) {
  const double cpuBefore = childCpuSeconds();
  QProcess cli;
  cli.start(QStringLiteral(KV_BIN_DIR "/kvprog-cli"), args);
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

}  // namespace kvtest
