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

// The options of `read` (one port) or `write` (any number of ports and the checks); nothing
// after a misuse, which it reports.
std::optional<LinkArgs> parseArgs(const Call& call, bool write) {
  LinkArgs parsed;
  parsed.ports = call.values(QStringLiteral("port"));
  parsed.file = call.argument(0);
  if (call.isSet(QStringLiteral("timeout"))) {
    bool ok = false;
    parsed.timeoutSeconds = call.value(QStringLiteral("timeout")).toInt(&ok);
    if (!ok || parsed.timeoutSeconds < 1 || parsed.timeoutSeconds > kMaxTimeoutSeconds) {
      call.misuse(QStringLiteral("--timeout takes a whole number of seconds from 1 to %1")
                      .arg(kMaxTimeoutSeconds));
      return std::nullopt;
    }
  }
  parsed.backups = !call.isSet(QStringLiteral("no-backup"));
  if (write) {
    parsed.checks.verify = call.isSet(QStringLiteral("verify"));
    parsed.checks.readFirst = call.isSet(QStringLiteral("read-first"));
  }
  if (parsed.checks.readFirst && !parsed.backups) {
    call.misuse(
        QStringLiteral("--read-first keeps what the radio held as a backup: not with --no-backup"));
    return std::nullopt;
  }
  // Two lines on one device would garble each other's bytes.
  QStringList seen;
  for (QString& name : parsed.ports) {
    name = canonicalPortName(name);
    // A button with no listed port behind it is opened by its own name: a port that is not
    // there is reported alike for every number, and one the system does not list is tried.
    const QString device = resolvePortName(name).value_or(name);
    const QString canonical = QFileInfo(device).canonicalFilePath();
    const QString same = canonical.isEmpty() ? device : canonical;
    if (seen.contains(same)) {
      call.misuse(QStringLiteral("%1: the port is named twice").arg(name));
      return std::nullopt;
    }
    seen << same;
    parsed.devices << device;
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
    fail(jobtext::shown(jobtext::kCancelled));
    return kInterrupted;
  }
  if (outcomes.size() == 1 && outcomes[0].timedOut) return kTimedOut;
  return 1;
}

int write(const Call& call) {
  const auto args = parseArgs(call, true);
  if (!args) return 1;
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

int read(const Call& call) {
  const auto args = parseArgs(call, false);
  if (!args) return 1;
  QTemporaryDir scratch;
  if (!scratch.isValid()) return fail(Cli::tr("无法创建临时文件夹"));
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
    fail(Cli::tr("没有写入%1").arg(args->file));
    return status;
  }
  // The file holds exactly the lines the radio's answers gave, even when they do not load:
  // rewriting them from what loaded would change what the radio holds.
  const BoundedRead received = readFileBounded(scratchPath, kMaxInputSize);
  if (!received.ok()) return fail(QStringLiteral("%1: %2").arg(scratchPath, received.reasonText()));
  if (const auto error = writeFileAtomically(args->file, received.bytes))
    return fail(QStringLiteral("%1: %2").arg(args->file, *error));
  warnUnknownSignals(args->file, loaded.unknownSignals);
  if (!loaded.data) return fail(QStringLiteral("%1: %2").arg(args->file, loaded.refusal));
  return status;
}

const QString kDeviceHelp = QStringLiteral(
    "DEVICE is a serial device such as /dev/ttyUSB0 or a kvsim pseudo-terminal, or COM1..COM4\n"
    "for the ports the port dialog's buttons stand for (see 'kvprog-cli ports'). On Windows it\n"
    "is the port's name: COM12 or \\\\.\\COM12.\n\n");

// The options after the port and the checks.
const QList<Option> kCommonOptions = {
    {"timeout", "SECONDS",
     "how long to wait for the radio's answer (default 60); where the\n"
     "program's window would wait on for Cancel, the transfer ends"},
    {"no-backup", "", "keep no backup of this run's images"},
};

const QString kBackupHelp = QStringLiteral(
    "Backups: every image read from or written to a radio is also kept as a channel file in\n"
    "the backups folder of the user's data folder (~/.local/share/kvprog/backups), named by\n"
    "date, time, direction and port: 20261208-093000-write-ttyUSB0.chp. The newest 200 are\n"
    "kept. A backup that cannot be written is a warning and never fails the transfer.\n\n"
    "Progress and messages go to stderr. Ctrl-C cancels.\n");

}  // namespace

QList<Command> linkCommands() {
  return {
      {.name = "read",
       .summary = "Read a radio's memory into a channel file.",
       .about = QStringLiteral(
                    "Writes OUT.chp only when all 128 blocks were read: exactly the lines of the\n"
                    "radio's answers. When they do not load (an unknown model, a value out of\n"
                    "range) OUT.chp is still written and the exit status is 1.\n\n") +
                kDeviceHelp,
       .options =
           QList<Option>{{"port", "DEVICE", "the serial port", Option::Required}} + kCommonOptions,
       .arguments = {"OUT.chp"},
       .notes = QStringLiteral("Exit status: 0 done, 1 failed, 124 the radio did not answer in "
                               "time,\n130 cancelled.\n\n") +
                kBackupHelp,
       .run = read},
      {.name = "write",
       .summary = "Write a channel file into one radio, or into several at once.",
       .about =
           QStringLiteral(
               "Sends nothing unless IN.chp loads completely and names a known model. Every port\n"
               "named gets the same image at the same time, each on a line of its own: a radio\n"
               "that fails leaves the others going. At the end stdout holds one line per port:\n"
               "\"DEVICE: written\" (in Chinese 写入成功), or \"DEVICE: \" and why not.\n\n") +
           kDeviceHelp,
       .options =
           QList<Option>{
               {"port", "DEVICE", "a radio's serial port; repeat it for more radios",
                Option::Repeated},
               {"verify", "",
                "read each radio back after writing it and compare the\n"
                "settings and the 16 channels with what was sent: success\n"
                "reads \"DEVICE: written and verified\" (in Chinese\n"
                "写频并校验成功); a difference fails that radio with one\n"
                "line per field, the same in either language, as\n"
                "'kvprog-cli diff' prints it\n"
                "(\"DEVICE: channel 3 rx_freq: 450.12500 -> 450.12400\")"},
               {"read-first", "",
                "read each radio before writing it and keep what it held as\n"
                "a backup (...-before-...), so that a mistake can be undone;\n"
                "a radio that cannot be read is not written"},
           } +
           kCommonOptions,
       .arguments = {"IN.chp"},
       .notes = QStringLiteral(
                    "Exit status with one port: 0 done, 1 failed, 124 the radio did not answer "
                    "in\ntime, 130 cancelled. With several: 0 when every radio succeeded, 130 "
                    "cancelled,\n1 otherwise.\n\n") +
                kBackupHelp,
       .run = write},
  };
}

}  // namespace kv::cli
