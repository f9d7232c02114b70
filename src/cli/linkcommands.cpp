#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <utility>

#include "cli/command.h"
#include "cli/progressboard.h"
#include "cli/terminal.h"
#include "exchange/fields.h"
#include "image/atomicfile.h"
#include "image/backups.h"
#include "image/boundedreader.h"
#include "image/chpfile.h"
#include "image/joblog.h"
#include "image/memoryimage.h"
#include "image/radioimage.h"
#include "link/cablechips.h"
#include "link/fleetrunner.h"
#include "link/jobrecord.h"
#include "link/linkcheck.h"
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
  int timeoutSeconds = 0;
  WriteChecks checks;
  bool backups = true;
  bool dryRun = false;
  bool json = false;
};

enum class LinkCommand { Read, Write, Check };

// The options of `read` (one port), `write` (any number of ports and the checks) or `check`
// (any number of ports, no backups); nothing after a misuse, which it reports.
std::optional<LinkArgs> parseArgs(const Call& call, LinkCommand command) {
  const bool write = command == LinkCommand::Write;
  LinkArgs parsed;
  parsed.timeoutSeconds = command == LinkCommand::Check ? kCheckListenMs / 1000 : 60;
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
  parsed.backups = command != LinkCommand::Check && !call.isSet(QStringLiteral("no-backup"));
  if (write) {
    parsed.checks.verify = call.isSet(QStringLiteral("verify"));
    parsed.checks.readFirst = call.isSet(QStringLiteral("read-first"));
    parsed.checks.keepTune = call.isSet(QStringLiteral("keep-tune"));
    parsed.checks.anyModel = call.isSet(QStringLiteral("any-model"));
    parsed.dryRun = call.isSet(QStringLiteral("dry-run"));
    parsed.json = call.isSet(QStringLiteral("json"));
  }
  if (parsed.json && !parsed.dryRun) {
    call.misuse(QStringLiteral("--json is the form of --dry-run's plan: only with --dry-run"));
    return std::nullopt;
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

// Runs `work` (a "read" or a "write", as `action` says) on every port at once, showing their
// progress; then lists the backups that could not be kept and records each port's job in the
// job log.
QList<JobOutcome> runPorts(const LinkArgs& args, const QString& action,
                           const std::function<JobOutcome(RadioJob&)>& work) {
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
  bool warned = false;  // the lines of one run fail alike
  for (int i = 0; i < outcomes.size(); ++i) {
    const JobEntry entry =
        jobEntry(action, outcomes[i], args.ports[i], listedPort(args.devices[i]));
    if (const auto error = appendToJobLog(entry); error && !std::exchange(warned, true))
      std::fprintf(stderr, "kvprog-cli: warning: %s\n", qUtf8Printable(*error));
  }
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

// The alignment fields are the radio's own, kept by --keep-tune.
bool isTuneLine(const QString& line) { return line.startsWith(QLatin1String("tune.")); }

// --dry-run: each radio read, and what a write would change in it, as `diff` lists the
// differences of two files with the document's value first; nothing is written. 0 when
// every radio could be read (a refusal is part of the plan), 130 after Ctrl-C, else 1.
int planWrites(const LinkArgs& args, const RadioData& data) {
  const EncodedImage document = encodeImage(data);
  if (!document.ok()) return fail(document.error->description());
  // The log counts it a comparison of the document with each radio.
  const QList<JobOutcome> outcomes = runPorts(args, QStringLiteral("compare"), [](RadioJob& job) {
    return job.read(QString(), [](const QString&) { return true; });
  });
  bool allRead = true;
  QJsonArray plans;
  QString text;
  for (int i = 0; i < outcomes.size(); ++i) {
    const QString& port = args.ports[i];
    const QByteArray& radio = outcomes[i].readImage;
    QJsonObject plan{{"port", port},
                     {"error", QJsonValue::Null},
                     {"model", QJsonValue::Null},
                     {"refusal", QJsonValue::Null},
                     {"changes", QJsonArray()},
                     {"kept", QJsonArray()}};
    if (radio.size() != kImageSize) {
      allRead = false;
      plan["error"] = outcomes[i].summary;
      text += QStringLiteral("%1: %2\n").arg(port, outcomes[i].summary);
      plans.append(plan);
      continue;
    }
    plan["model"] = modelNameOfByte(quint8(radio[0]));
    const RadioImage planned =
        imageForRadio(document.bytes, radio, {args.checks.keepTune, args.checks.anyModel});
    if (planned.refused()) {
      const QString refusal =
          jobtext::shown(jobtext::kOtherModel).arg(modelNameOfByte(*planned.otherModel));
      plan["refusal"] = refusal;
      text += QStringLiteral("%1: %2\n").arg(port, refusal);
    }
    // What a radio that holds no loadable document differs in shows as bytes only.
    const QByteArray sent =
        imageForRadio(document.bytes, radio, {args.checks.keepTune, true}).bytes;
    const WholeLoad held = loadWholeChpText(chpText(radio));
    QJsonArray changes;
    QJsonArray kept;
    for (const QString& line : documentDifferences(data, sent, held.data.value_or(data), radio)) {
      const bool keeps = args.checks.keepTune && isTuneLine(line);
      (keeps ? kept : changes).append(line);
      text += QStringLiteral("%1: %2%3\n").arg(port, line, keeps ? QStringLiteral(" (kept)") : "");
    }
    plan["changes"] = changes;
    plan["kept"] = kept;
    plans.append(plan);
  }
  print(args.json ? QString::fromUtf8(QJsonDocument(plans).toJson()) : text);
  if (wasInterrupted()) {
    fail(jobtext::shown(jobtext::kCancelled));
    return kInterrupted;
  }
  return allRead ? 0 : 1;
}

int write(const Call& call) {
  const auto args = parseArgs(call, LinkCommand::Write);
  if (!args) return 1;
  const auto data = loadChannelFile(args->file);
  if (!data) return 1;
  if (args->dryRun) return planWrites(*args, *data);
  const QList<JobOutcome> outcomes = runPorts(*args, QStringLiteral("write"), [&](RadioJob& job) {
    return job.write(*data, args->checks);
  });
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
  const auto args = parseArgs(call, LinkCommand::Read);
  if (!args) return 1;
  QTemporaryDir scratch;
  if (!scratch.isValid()) return fail(Cli::tr("无法创建临时文件夹"));
  const QString scratchPath = scratch.filePath(QStringLiteral("received.chp"));
  WholeLoad loaded;
  const auto load = [&](const QString& path) {
    loaded = loadWholeChpFile(path);
    return loaded.data.has_value();
  };
  const QList<JobOutcome> outcomes = runPorts(
      *args, QStringLiteral("read"), [&](RadioJob& job) { return job.read(scratchPath, load); });
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
  if (!loaded.data)
    return fail(QStringLiteral("%1: %2").arg(args->file, notLoadableFromRadio(loaded.refusal)));
  return status;
}

QJsonObject checkJson(const CheckResult& result, const CheckReport& report) {
  const PortInfo& port = result.port;
  const auto chip = port.isUsb() ? cableChip(*port.vendorId, *port.productId) : std::nullopt;
  QJsonArray holders;
  for (const PortHolder& holder : result.holders)
    holders.append(QJsonObject{{"pid", holder.pid}, {"name", holder.name}});
  const auto orNull = [](const char* text) {
    return text ? QJsonValue(QString::fromLatin1(text)) : QJsonValue::Null;
  };
  return {
      {"device", port.device},
      {"vid", usbIdJson(port.vendorId)},
      {"pid", usbIdJson(port.productId)},
      {"serial", port.serialNumber},
      {"chip", orNull(chip ? chip->name : nullptr)},
      {"driver", orNull(chip ? chip->driver : nullptr)},
      {"verdict", verdictCode(result.verdict)},
      {"holders", holders},
      {"model", result.model ? QJsonValue(QString::fromUtf8(radioModels()[*result.model].name))
                             : QJsonValue::Null},
      {"message", report.verdict},
      {"advice", report.advice},
  };
}

int check(const Call& call) {
  const auto args = parseArgs(call, LinkCommand::Check);
  if (!args) return 1;
  QList<PortInfo> ports;
  QStringList names = args->ports;
  for (const QString& device : args->devices) ports << listedPort(device);
  if (names.isEmpty()) {
    ports = listPorts();
    for (const PortInfo& port : ports) names << port.device;
  }
  if (ports.isEmpty()) return fail(Cli::tr("没有找到串口"));

  // Every port at once, each on a thread of its own that owns its port.
  std::vector<CheckResult> results(ports.size());
  {
    const InterruptCancels cancels;
    ProgressBoard board(names, wasInterrupted);
    LinkOptions options;
    options.timeoutMs = args->timeoutSeconds * 1000;
    std::vector<std::unique_ptr<QThread>> threads;
    for (qsizetype i = 0; i < ports.size(); ++i) {
      threads.emplace_back(QThread::create(
          [&, i] { results[i] = checkPort(ports[i], board.observer(int(i)), options); }));
      threads.back()->start();
    }
    for (const auto& thread : threads) thread->wait();
  }

  // A check cut short has found out nothing for certain.
  if (interrupted) {
    fail(jobtext::shown(jobtext::kCancelled));
    return kInterrupted;
  }
  const bool json = call.isSet(QStringLiteral("json"));
  QJsonArray array;
  QString text;
  for (qsizetype i = 0; i < ports.size(); ++i) {
    const CheckReport report = describe(results[i]);
    if (json) {
      array.append(checkJson(results[i], report));
      continue;
    }
    text += Cli::tr("端口：%1").arg(names[i]) + QLatin1Char('\n');
    text += Cli::tr("编程线：%1").arg(report.cable) + QLatin1Char('\n');
    text += Cli::tr("结论：%1").arg(report.verdict) + QLatin1Char('\n');
    if (!report.advice.isEmpty())
      text += Cli::tr("建议：%1").arg(report.advice) + QLatin1Char('\n');
    text += QLatin1Char('\n');
  }
  print(json ? QString::fromUtf8(QJsonDocument(array).toJson()) : text);
  const bool allOk = std::all_of(results.begin(), results.end(),
                                 [](const CheckResult& r) { return r.verdict == Verdict::Ok; });
  return allOk ? 0 : 1;
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
    "date, time, direction and port: 20261208-093000-write-ttyUSB0.chp. A backup is kept\n"
    "for 90 days at least; older ones go, oldest first, while there are more than 2,000.\n"
    "A backup that cannot be written is a warning and never fails the transfer. Every\n"
    "radio's job is also recorded in the job log (see 'kvprog-cli log').\n\n"
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
               {"keep-tune", "",
                "give each radio back its own alignment: read it first (as\n"
                "--read-first) and write the file with that radio's crystal\n"
                "and IF side (bits 5 and 4 of byte 0x004) and power trim\n"
                "(byte 0x007); success reads \"DEVICE: written (the radio's\n"
                "own alignment kept)\""},
               {"any-model", "",
                "write a radio read first that holds another model than the\n"
                "file's; without it that radio fails with \"DEVICE: another\n"
                "model (radio: KV--520(V)); nothing was written\" (in Chinese\n"
                "型号不同（对讲机：KV--520(V)），没有写入)"},
               {"dry-run", "",
                "write nothing: read each radio and list what a write would\n"
                "change, in the lines of 'kvprog-cli diff' with the file's\n"
                "value first (\"DEVICE: settings.squelch: 4 -> 6\"), the\n"
                "alignment kept by --keep-tune marked \" (kept)\"; exit status\n"
                "0 when every radio could be read, else 1"},
               {"json", "",
                "with --dry-run: a JSON array with one object per port: port,\n"
                "error (why it was not read, or null), model (the radio's),\n"
                "refusal (why it would not be written, or null), changes\n"
                "and kept (the lines above)"},
           } +
           kCommonOptions,
       .arguments = {"IN.chp"},
       .notes = QStringLiteral(
                    "Exit status with one port: 0 done, 1 failed, 124 the radio did not answer "
                    "in\ntime, 130 cancelled. With several: 0 when every radio succeeded, 130 "
                    "cancelled,\n1 otherwise.\n\n") +
                kBackupHelp,
       .run = write},
      {.name = "check",
       .summary = "Check the link to a radio on one port, several, or every listed port.",
       .about =
           QStringLiteral(
               "Finds out why a radio does not answer, and says what to do. For each port: does\n"
               "it exist, may it be opened, does another program hold it (and which, where the\n"
               "system tells); the cable's USB id, serial number and chip with the driver it\n"
               "needs on Windows; then, for up to SECONDS, the wake-up a transfer sends, and what\n"
               "came back: nothing, an echo of what was sent, bytes that are no answer, a\n"
               "refusal, or an acknowledgement, after which the radio's whole memory is read\n"
               "(never written), its model named and the read thrown away. Every listed port is\n"
               "checked when no --port is given; the ports are checked at the same time.\n\n"
               "Prints one block per port: the port, the cable, the verdict and the advice.\n\n") +
           kDeviceHelp,
       .options =
           {
               {"port", "DEVICE", "a port to check; repeat it for more", Option::Several},
               {"timeout", "SECONDS", "how long to wait for the radio's answer (default 5)"},
               {"json", "",
                "a JSON array of one object per port with the keys device, vid,\n"
                "pid, serial, chip, driver, verdict, holders (pid and name of\n"
                "each program that holds the port; where the system hides it,\n"
                "of brltty or ModemManager running), model, message and advice\n"
                "(vid, pid, chip, driver and model are null where there is\n"
                "none; message and advice follow the language)"},
           },
       .notes = QStringLiteral(
           "Verdicts (the JSON's verdict): no-port, busy, no-access, silent, echo, garbled,\n"
           "refused, interrupted, ok.\n\n"
           "Exit status: 0 when a radio answered on every port checked, 1 otherwise, 130\n"
           "cancelled (Ctrl-C).\n"),
       .run = check},
  };
}

}  // namespace kv::cli
