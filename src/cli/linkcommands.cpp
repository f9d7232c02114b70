#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstdio>

#include "cli/command.h"
#include "cli/progressboard.h"
#include "cli/terminal.h"
#include "image/atomicfile.h"
#include "image/backups.h"
#include "image/boundedreader.h"
#include "image/chpfile.h"
#include "link/fleetrunner.h"
#include "link/portlist.h"

namespace kv::cli {
namespace {

constexpr int kTimedOut = 124;
constexpr int kInterrupted = 130;
constexpr int kMaxTimeoutSeconds = 24 * 60 * 60;

volatile std::sig_atomic_t interrupted = 0;
void onInterrupt(int) { interrupted = 1; }
bool wasInterrupted() { return interrupted != 0; }

// While it lives, Ctrl-C (and SIGTERM) is the Cancel button of every port.
class InterruptCancels {
 public:
  InterruptCancels() { interrupted = 0; }

 private:
  InterruptHook hook_{onInterrupt};
};

struct LinkArgs {
  QStringList ports;    // as given: they name the lines of the output
  QStringList devices;  // the devices they stand for
  QString file;
  int timeoutSeconds = 60;
  WriteChecks checks;
  bool backups = true;
};

// The options of `read` (one port) or `write` (any number of ports and the checks).
std::optional<LinkArgs> parseArgs(const QStringList& args, bool write, QString& error) {
  LinkArgs parsed;
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--port") || a == QLatin1String("--timeout")) {
      if (i + 1 >= args.size()) {
        error = QStringLiteral("%1 needs a value").arg(a);
        return std::nullopt;
      }
      const QString value = args[++i];
      if (a == QLatin1String("--port")) {
        parsed.ports << value;
      } else {
        bool ok = false;
        parsed.timeoutSeconds = value.toInt(&ok);
        if (!ok || parsed.timeoutSeconds < 1 || parsed.timeoutSeconds > kMaxTimeoutSeconds) {
          error = QStringLiteral("--timeout takes a whole number of seconds from 1 to %1")
                      .arg(kMaxTimeoutSeconds);
          return std::nullopt;
        }
      }
    } else if (a == QLatin1String("--no-backup")) {
      parsed.backups = false;
    } else if (write && a == QLatin1String("--verify")) {
      parsed.checks.verify = true;
    } else if (write && a == QLatin1String("--read-first")) {
      parsed.checks.readFirst = true;
    } else if (!parsed.file.isEmpty() || a.startsWith(QLatin1String("--"))) {
      error = QStringLiteral("unexpected argument \"%1\"").arg(a);
      return std::nullopt;
    } else {
      parsed.file = a;
    }
  }
  if (parsed.ports.isEmpty() || parsed.file.isEmpty()) {
    error = QStringLiteral("needs --port DEVICE and a file");
    return std::nullopt;
  }
  if (parsed.checks.readFirst && !parsed.backups) {
    error =
        QStringLiteral("--read-first keeps what the radio held as a backup: not with --no-backup");
    return std::nullopt;
  }
  if (!write && parsed.ports.size() > 1) {
    error = QStringLiteral("read takes one --port");
    return std::nullopt;
  }
  // Two lines on one device would garble each other's bytes.
  QStringList seen;
  for (const QString& name : parsed.ports) {
    const auto device = resolvePortName(name);
    if (!device) {
      error = QStringLiteral("%1: no such serial port").arg(name);
      return std::nullopt;
    }
    const QString canonical = QFileInfo(*device).canonicalFilePath();
    const QString same = canonical.isEmpty() ? *device : canonical;
    if (seen.contains(same)) {
      error = QStringLiteral("%1: the port is named twice").arg(name);
      return std::nullopt;
    }
    seen << same;
    parsed.devices << *device;
  }
  return parsed;
}

// Runs `work` on every port at once, showing their progress; then lists the backups that
// could not be kept.
QList<JobOutcome> runPorts(const LinkArgs& args, const std::function<JobOutcome(RadioJob&)>& work) {
  const InterruptCancels cancels;
  ProgressBoard board(args.ports, wasInterrupted);
  QList<FleetPort> ports;
  for (int i = 0; i < args.devices.size(); ++i) ports.append({args.devices[i], &board.observer(i)});
  LinkOptions options;
  options.timeoutMs = args.timeoutSeconds * 1000;
  options.timeoutEndsWaits = true;
  const QList<JobOutcome> outcomes =
      runFleet(ports, args.backups ? backupFolder() : QString(), options, work);
  for (int i = 0; i < outcomes.size(); ++i)
    for (const QString& warning : outcomes[i].backupWarnings)
      std::fprintf(stderr, "kvprog-cli: warning: %s: %s\n", qUtf8Printable(args.ports[i]),
                   qUtf8Printable(warning));
  return outcomes;
}

// 0 when every radio succeeded, 130 after Ctrl-C; one radio that did not answer in time
// gives 124; anything else 1.
int exitStatus(const QList<JobOutcome>& outcomes) {
  if (std::all_of(outcomes.begin(), outcomes.end(), [](const JobOutcome& o) { return o.ok; }))
    return 0;
  if (interrupted) {
    fail(QStringLiteral("cancelled"));
    return kInterrupted;
  }
  if (outcomes.size() == 1 && outcomes[0].timedOut) return kTimedOut;
  return 1;
}

int write(const QStringList& argList) {
  QString error;
  const auto args = parseArgs(argList, true, error);
  if (!args) return fail(error);
  const auto data = loadChannelFile(args->file);
  if (!data) return 1;
  const QList<JobOutcome> outcomes =
      runPorts(*args, [&](RadioJob& job) { return job.write(*data, args->checks); });
  // The result of each radio, on stdout for scripts to look at.
  for (int i = 0; i < outcomes.size(); ++i) {
    const QString& port = args->ports[i];
    print(QStringLiteral("%1: %2\n").arg(port, outcomes[i].summary));
    for (const QString& line : outcomes[i].differences)
      print(QStringLiteral("%1: %2\n").arg(port, line));
  }
  return exitStatus(outcomes);
}

int read(const QStringList& argList) {
  QString error;
  const auto args = parseArgs(argList, false, error);
  if (!args) return fail(error);
  QTemporaryDir scratch;
  if (!scratch.isValid()) return fail(QStringLiteral("cannot create a temporary folder"));
  const QString scratchPath = scratch.filePath(QStringLiteral("received.chp"));
  WholeLoad loaded;
  const auto load = [&](const QString& path) {
    loaded = loadWholeChpFile(path);
    return loaded.data.has_value();
  };
  const QList<JobOutcome> outcomes =
      runPorts(*args, [&](RadioJob& job) { return job.read(scratchPath, load); });
  const int status = exitStatus(outcomes);
  if (outcomes[0].readImage.isEmpty()) {
    std::fprintf(stderr, "kvprog-cli: %s not written\n", qPrintable(args->file));
    return status;
  }
  // The file holds exactly the lines the radio's answers gave, even when they do not load:
  // rewriting them from what loaded would change what the radio holds.
  const BoundedRead received = readFileBounded(scratchPath, kMaxInputSize);
  if (!received.ok()) return fail(QStringLiteral("%1: %2").arg(scratchPath, received.reason));
  if (const auto error = writeFileAtomically(args->file, received.bytes))
    return fail(QStringLiteral("%1: %2").arg(args->file, *error));
  warnUnknownSignals(args->file, loaded.unknownSignals);
  if (!loaded.data) return fail(QStringLiteral("%1: %2").arg(args->file, loaded.refusal));
  return status;
}

const QString kDeviceHelp = QStringLiteral(
    "DEVICE is a serial device such as /dev/ttyUSB0 or a kvsim pseudo-terminal, or COM1..COM4\n"
    "for the ports the port dialog's buttons stand for (see 'kvprog-cli ports').\n\n");

const QString kCommonOptions = QStringLiteral(
    "  --timeout SECONDS  how long to wait for the radio's answer (default 60); where the\n"
    "                     program's window would wait on for Cancel, the transfer ends\n"
    "  --no-backup        keep no backup of this run's images\n\n");

const QString kBackupHelp = QStringLiteral(
    "Backups: every image read from or written to a radio is also kept as a channel file in\n"
    "the backups folder of the user's data folder (~/.local/share/kvprog/backups), named by\n"
    "date, time, direction and port: 20261208-093000-write-ttyUSB0.chp. The newest 200 are\n"
    "kept. A backup that cannot be written is a warning and never fails the transfer.\n\n"
    "Progress and messages go to stderr. Ctrl-C cancels.\n");

}  // namespace

QList<Command> linkCommands() {
  return {
      {QStringLiteral("read"),
       QStringLiteral("read --port DEVICE [--timeout SECONDS] [--no-backup] OUT.chp"),
       QStringLiteral("Read a radio's memory into a channel file."),
       QStringLiteral(
           "Writes OUT.chp only when all 128 blocks were read: exactly the lines of the\n"
           "radio's answers. When they do not load (an unknown model, a value out of\n"
           "range) OUT.chp is still written and the exit status is 1.\n\n") +
           kDeviceHelp + QStringLiteral("Options:\n  --port DEVICE      the serial port\n") +
           kCommonOptions +
           QStringLiteral("Exit status: 0 done, 1 failed, 124 the radio did not answer in time,\n"
                          "130 cancelled.\n\n") +
           kBackupHelp,
       read},
      {QStringLiteral("write"),
       QStringLiteral("write --port DEVICE [--port DEVICE ...] [OPTIONS] IN.chp"),
       QStringLiteral("Write a channel file into one radio, or into several at once."),
       QStringLiteral(
           "Sends nothing unless IN.chp loads completely and names a known model. Every port\n"
           "named gets the same image at the same time, each on a line of its own: a radio\n"
           "that fails leaves the others going. At the end stdout holds one line per port,\n"
           "\"DEVICE: 写入成功\" or \"DEVICE: \" and why not.\n\n") +
           kDeviceHelp +
           QStringLiteral(
               "Options:\n"
               "  --port DEVICE      a radio's serial port; repeat it for more radios\n"
               "  --verify           read each radio back after writing it and compare the\n"
               "                     settings and the 16 channels with what was sent: success\n"
               "                     reads \"DEVICE: 写频并校验成功\"; a difference fails that\n"
               "                     radio with one line per field as 'kvprog-cli diff' prints\n"
               "                     it (\"DEVICE: channel 3 rx_freq: 450.12500 -> 450.12400\")\n"
               "  --read-first       read each radio before writing it and keep what it held as\n"
               "                     a backup (...-before-...), so that a mistake can be undone;\n"
               "                     a radio that cannot be read is not written\n") +
           kCommonOptions +
           QStringLiteral(
               "Exit status with one port: 0 done, 1 failed, 124 the radio did not answer in\n"
               "time, 130 cancelled. With several: 0 when every radio succeeded, 130 cancelled,\n"
               "1 otherwise.\n\n") +
           kBackupHelp,
       write},
  };
}

}  // namespace kv::cli
