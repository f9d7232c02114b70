#include <unistd.h>
#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>

#include "cli/command.h"
#include "image/atomicfile.h"
#include "image/boundedreader.h"
#include "image/chpfile.h"
#include "link/linkengine.h"
#include "link/portlist.h"
#include "link/systemserialport.h"

namespace kv::cli {
namespace {

constexpr int kTimedOut = 124;
constexpr int kInterrupted = 130;
constexpr int kMaxTimeoutSeconds = 24 * 60 * 60;
constexpr qint64 kMaxScratchSize = 1 << 16;  // a whole read's scratch file is under 5 KB

volatile std::sig_atomic_t interrupted = 0;
void onInterrupt(int) { interrupted = 1; }

// Progress and messages on stderr; Ctrl-C is the Cancel button.
class StderrObserver : public TransferObserver {
 public:
  StderrObserver() : tty_(isatty(STDERR_FILENO)) {}
  ~StderrObserver() override { endLine(); }

  void setCaption(const QString& caption) override {
    endLine();
    std::fprintf(stderr, "%s\n", caption.toUtf8().constData());
  }
  void setProgress(int value) override {
    // The progress window fills its bar at the end of every transfer, one that failed too;
    // here the count only goes on from where it stands.
    if (value == shown_ || value > shown_ + 1) return;
    shown_ = value;
    // On a terminal the count updates in place; in a log every quarter is enough.
    if (tty_) {
      std::fprintf(stderr, "\r%d/128", value);
      pending_ = true;
    } else if (value % 32 == 0) {
      std::fprintf(stderr, "%d/128\n", value);
    }
  }
  void message(const QString& text, const QString& title, MessageIcon) override {
    endLine();
    const QString shown = title.isEmpty() ? text : QStringLiteral("%1: %2").arg(title, text);
    std::fprintf(stderr, "%s\n", shown.toUtf8().constData());
  }
  bool cancelled() override { return interrupted != 0; }

 private:
  void endLine() {
    if (pending_) std::fputc('\n', stderr);
    pending_ = false;
  }
  bool tty_;
  bool pending_ = false;
  int shown_ = 0;
};

struct LinkArgs {
  QString port;
  QString file;
  int timeoutSeconds = 60;
};

std::optional<LinkArgs> parseArgs(const QStringList& args, QString& error) {
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
        parsed.port = value;
      } else {
        bool ok = false;
        parsed.timeoutSeconds = value.toInt(&ok);
        if (!ok || parsed.timeoutSeconds < 1 || parsed.timeoutSeconds > kMaxTimeoutSeconds) {
          error = QStringLiteral("--timeout takes a whole number of seconds from 1 to %1")
                      .arg(kMaxTimeoutSeconds);
          return std::nullopt;
        }
      }
    } else if (!parsed.file.isEmpty() || a.startsWith(QLatin1String("--"))) {
      error = QStringLiteral("unexpected argument \"%1\"").arg(a);
      return std::nullopt;
    } else {
      parsed.file = a;
    }
  }
  if (parsed.port.isEmpty() || parsed.file.isEmpty()) {
    error = QStringLiteral("needs --port DEVICE and a file");
    return std::nullopt;
  }
  return parsed;
}

// Opens the port, runs the transfer and turns its end into the exit status.
int runTransfer(const LinkArgs& args, const std::function<bool(LinkEngine&)>& transfer) {
  const auto device = resolvePortName(args.port);
  if (!device) return fail(QStringLiteral("%1: no such serial port").arg(args.port));
  SystemSerialPort port;
  if (const auto error = port.open(*device))
    return fail(QStringLiteral("%1: %2").arg(error->number).arg(error->description));

  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  struct sigaction oldInt {
  }, oldTerm{};
  sigaction(SIGINT, &action, &oldInt);
  sigaction(SIGTERM, &action, &oldTerm);

  SystemClock clock;
  StderrObserver observer;
  LinkSession session;
  LinkOptions options;
  options.timeoutMs = args.timeoutSeconds * 1000;
  options.timeoutEndsWaits = true;
  LinkEngine engine(port, clock, observer, session, options);
  const bool ok = transfer(engine);
  port.close();

  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGTERM, &oldTerm, nullptr);
  if (ok) return 0;
  if (interrupted) {
    fail(QStringLiteral("cancelled"));
    return kInterrupted;
  }
  if (engine.timedOut()) return kTimedOut;
  return 1;
}

int write(const QStringList& argList) {
  QString error;
  const auto args = parseArgs(argList, error);
  if (!args) return fail(error);
  const auto data = loadChannelFile(args->file);
  if (!data) return 1;
  return runTransfer(*args, [&](LinkEngine& engine) { return engine.runWrite(*data); });
}

int read(const QStringList& argList) {
  QString error;
  const auto args = parseArgs(argList, error);
  if (!args) return fail(error);
  QTemporaryDir scratch;
  if (!scratch.isValid()) return fail(QStringLiteral("cannot create a temporary folder"));
  const QString scratchPath = scratch.filePath(QStringLiteral("received.chp"));
  WholeLoad loaded;
  const auto load = [&](const QString& path) {
    loaded = loadWholeChpFile(path);
    return loaded.data.has_value();
  };
  bool complete = false;
  const int status = runTransfer(*args, [&](LinkEngine& engine) {
    const bool ok = engine.runRead(scratchPath, load);
    complete = engine.readComplete();
    return ok;
  });
  if (!complete) {
    std::fprintf(stderr, "kvprog-cli: %s not written\n", qPrintable(args->file));
    return status;
  }
  // The file holds exactly the lines the radio's answers gave, even when they do not load:
  // rewriting them from what loaded would change what the radio holds.
  const BoundedRead received = readFileBounded(scratchPath, kMaxScratchSize);
  if (!received.ok()) return fail(QStringLiteral("%1: %2").arg(scratchPath, received.reason));
  if (const auto error = writeFileAtomically(args->file, received.bytes))
    return fail(QStringLiteral("%1: %2").arg(args->file, *error));
  warnUnknownSignals(args->file, loaded.unknownSignals);
  if (!loaded.data) return fail(QStringLiteral("%1: %2").arg(args->file, loaded.refusal));
  return status;
}

const QString kLinkHelp = QStringLiteral(
    "DEVICE is a serial device such as /dev/ttyUSB0 or a kvsim pseudo-terminal, or COM1..COM4\n"
    "for the ports the port dialog's buttons stand for (see 'kvprog-cli ports').\n\n"
    "Options:\n"
    "  --port DEVICE      the serial port\n"
    "  --timeout SECONDS  how long to wait for the radio's answer (default 60); where the\n"
    "                     program's window would wait on for Cancel, the transfer ends\n\n"
    "Progress and messages go to stderr. Ctrl-C cancels. Exit status: 0 done, 1 failed,\n"
    "124 the radio did not answer in time, 130 cancelled.\n");

}  // namespace

QList<Command> linkCommands() {
  return {
      {QStringLiteral("read"), QStringLiteral("read --port DEVICE [--timeout SECONDS] OUT.chp"),
       QStringLiteral("Read a radio's memory into a channel file."),
       QStringLiteral(
           "Writes OUT.chp only when all 128 blocks were read: exactly the lines of the\n"
           "radio's answers. When they do not load (an unknown model, a value out of\n"
           "range) OUT.chp is still written and the exit status is 1.\n\n") +
           kLinkHelp,
       read},
      {QStringLiteral("write"), QStringLiteral("write --port DEVICE [--timeout SECONDS] IN.chp"),
       QStringLiteral("Write a channel file into a radio."),
       QStringLiteral("Sends nothing unless IN.chp loads completely and names a known model.\n\n") +
           kLinkHelp,
       write},
  };
}

}  // namespace kv::cli
