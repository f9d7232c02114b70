// kvsim: a radio on a pseudo-terminal, for trying the programming software without a radio.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "image/atomicfile.h"
#include "image/boundedreader.h"
#include "image/memoryimage.h"
#include "image/programfolders.h"
#include "sim/radioemulator.h"

using kv::RadioEmulator;
using kv::RadioFaults;

namespace {

// A pause after which a half-received packet is forgotten.
constexpr qint64 kPacketGapNs = 1'000'000'000;

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

qint64 nowNs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

void sleepUntil(qint64 ns) {
  timespec t{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
  while (!stopRequested && clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

void complain(const QString& text) { std::fprintf(stderr, "kvsim: %s\n", qPrintable(text)); }

// A line at a given baud rate: each byte takes ten bit times, one after the other.
class Line {
 public:
  explicit Line(int baud) : byteNs_(baud > 0 ? 10'000'000'000LL / baud : 0) {}
  // Waits until `count` bytes that start now (or once the line is free) have fully crossed.
  void cross(qint64& freeAt, int count) const {
    if (byteNs_ == 0) return;
    freeAt = std::max(freeAt, nowNs()) + count * byteNs_;
    sleepUntil(freeAt);
  }

 private:
  qint64 byteNs_;
};

// Every byte both ways, with the milliseconds since the start.
class Log {
 public:
  bool open(const QString& path) {
    start_ = nowNs();
    if (const auto error = kv::emptyFile(path)) {
      complain(QStringLiteral("cannot write %1: %2").arg(path, *error));
      return false;
    }
    path_ = path;
    return true;
  }
  void bytes(const char* who, const QByteArray& bytes) {
    if (!bytes.isEmpty())
      add(QStringLiteral("%1 %2").arg(QLatin1String(who),
                                      QString::fromLatin1(bytes.toHex(' ').toUpper())));
  }
  void add(const QString& text) {
    if (path_.isEmpty()) return;
    const QString line = QStringLiteral("%1 %2\n").arg((nowNs() - start_) / 1'000'000).arg(text);
    if (const auto error = kv::appendToFile(path_, line.toUtf8())) {
      complain(QStringLiteral("cannot write %1: %2; logging stops").arg(path_, *error));
      path_.clear();
    }
  }

 private:
  QString path_;
  qint64 start_ = 0;
};

// The radio's memory, kept in a file when one is given.
class MemoryFile {
 public:
  // Takes a missing or empty file as a memory full of 0xFF, and a file of exactly 1024 bytes
  // as the memory. Anything else (a channel file passed by mistake) is refused and left as it
  // is.
  bool open(const QString& path) {
    const kv::BoundedRead stored = kv::readFileBounded(path, kv::kImageSize);
    using Status = kv::BoundedRead::Status;
    if (stored.status == Status::TooLarge ||
        (stored.ok() && !stored.bytes.isEmpty() && stored.bytes.size() != kv::kImageSize)) {
      complain(QStringLiteral("%1 is not a radio memory image: an image is empty or exactly %2 "
                              "bytes; the file is left as it is")
                   .arg(path)
                   .arg(kv::kImageSize));
      return false;
    }
    if (!stored.ok() && stored.status != Status::NotFound) {
      complain(QStringLiteral("cannot read %1: %2").arg(path, stored.reason));
      return false;
    }
    if (stored.ok() && !stored.bytes.isEmpty()) memory = stored.bytes;
    path_ = path;
    return store();
  }
  // Writes the memory out whole after each stored block, so the file is never half-written.
  bool store() {
    if (path_.isEmpty()) return true;
    const auto error = kv::writeFileAtomically(path_, memory);
    if (error) complain(QStringLiteral("cannot write %1: %2").arg(path_, *error));
    return !error;
  }

  QByteArray memory = QByteArray(kv::kImageSize, char(0xFF));

 private:
  QString path_;
};

struct Options {
  RadioFaults faults;
  int baud = 0;
  QString image;
  QString log;
};

std::optional<int> blockOption(const QCommandLineParser& parser, const QString& name, bool& ok) {
  if (!parser.isSet(name)) return std::nullopt;
  bool valid = false;
  const int block = parser.value(name).toInt(&valid);
  if (!valid || block < 0 || block >= kv::kBlockCount) {
    complain(QStringLiteral("--%1 takes a block number 0..127").arg(name));
    ok = false;
  }
  return block;
}

// "--answer-at 9:10": at block 9, answer 0x10 instead of ACK.
void answerOption(const QCommandLineParser& parser, RadioFaults& faults, bool& ok) {
  if (!parser.isSet("answer-at")) return;
  const QStringList parts = parser.value("answer-at").split(QLatin1Char(':'));
  bool blockOk = false;
  bool byteOk = false;
  const int block = parts.value(0).toInt(&blockOk);
  const int byte = parts.value(1).toInt(&byteOk, 16);
  if (parts.size() != 2 || !blockOk || block < 0 || block >= kv::kBlockCount || !byteOk ||
      byte < 0 || byte > 0xFF || parser.isSet("nak-at")) {
    complain(
        QStringLiteral("--answer-at takes BLOCK:BYTE, a block 0..127 and a byte in hex "
                       "(e.g. 9:10), and not together with --nak-at"));
    ok = false;
    return;
  }
  faults.wrongAnswerAt = block;
  faults.wrongAnswer = char(byte);
}

std::optional<Options> parseOptions(const QCoreApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Emulates a radio on a pseudo-terminal. Prints the device to open in the programming\n"
      "software (or to pass to kvprog-cli --port), then answers as a radio does until it is\n"
      "stopped with Ctrl-C. Blocks are numbered 0..127 (block b is memory address 8b)."));
  parser.addHelpOption();
  const QCommandLineOption version({"v", "version"}, "Displays version information.");
  parser.addOption(version);
  parser.addOptions({
      {"image",
       "Keep the radio's 1024-byte memory in <file>: a missing or empty file starts full of "
       "0xFF; any file but an empty one or one of exactly 1024 bytes is refused.",
       "file"},
      {"baud", "Pace bytes as a line at <rate> baud would (e.g. 9600); default: no pacing.",
       "rate"},
      {"log", "Log every byte both ways to <file>.", "file"},
      {"nak-at", "Answer 0x15 (NAK) instead of 0x06 at <block>.", "block"},
      {"answer-at", "Answer <byte> (hex) instead of 0x06 at <block>, e.g. 9:10.", "block:byte"},
      {"silent-from", "Answer nothing from <block> on.", "block"},
      {"drop-at", "Drop the line (close the pseudo-terminal and exit) at <block>.", "block"},
      {"short-at", "Answer the read request for <block> with 11 bytes instead of 12.", "block"},
      {"long-at", "Answer the read request for <block> with 13 bytes in one burst.", "block"},
      {"no-handshake", "Never answer the wake-up sequence."},
      {"corrupt-at",
       "Store a wrong byte (the lowest bit flipped) at memory address <address> (0..1023, "
       "decimal or 0x hex) whenever its block is written, so that a verify has something to "
       "find.",
       "address"},
  });
  parser.process(app);
  if (parser.isSet(version)) {  // ends the program here, as --help does
    std::printf("%s\n", qPrintable(kv::versionLine(QStringLiteral("kvsim"))));
    std::exit(EXIT_SUCCESS);
  }

  bool ok = true;
  Options options;
  RadioFaults& faults = options.faults;
  faults.wrongAnswerAt = blockOption(parser, "nak-at", ok);
  answerOption(parser, faults, ok);
  faults.silentFrom = blockOption(parser, "silent-from", ok);
  faults.dropAt = blockOption(parser, "drop-at", ok);
  faults.shortAt = blockOption(parser, "short-at", ok);
  faults.longAt = blockOption(parser, "long-at", ok);
  faults.noHandshake = parser.isSet("no-handshake");
  if (parser.isSet("corrupt-at")) {
    bool valid = false;
    const int address = parser.value("corrupt-at").toInt(&valid, 0);
    if (!valid || address < 0 || address >= kv::kImageSize) {
      complain(QStringLiteral("--corrupt-at takes a memory address 0..1023 (e.g. 16 or 0x10)"));
      ok = false;
    }
    faults.corruptAt = address;
  }
  if (parser.isSet("baud")) {
    options.baud = parser.value("baud").toInt();
    if (options.baud <= 0) {
      complain(QStringLiteral("--baud takes a positive rate"));
      ok = false;
    }
  }
  options.image = parser.value("image");
  options.log = parser.value("log");
  if (!ok) return std::nullopt;
  return options;
}

// The pseudo-terminal: the radio talks on the master side, the programs open the other.
struct Pty {
  int master = -1;
  int slave = -1;
  ~Pty() {
    if (slave >= 0) close(slave);
    if (master >= 0) close(master);
  }
  bool open() {
    termios raw{};
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    if (openpty(&master, &slave, nullptr, &raw, nullptr) == 0) return true;
    std::perror("kvsim: openpty");
    return false;
  }
};

// Answers the PC until a signal or a dropped line; the exit status.
int serve(const Pty& pty, const Options& options, MemoryFile& memory, Log& log) {
  RadioEmulator radio(memory.memory, options.faults);
  const Line line(options.baud);
  qint64 rxFree = 0;
  qint64 txFree = 0;
  qint64 lastByte = 0;
  while (!stopRequested) {
    pollfd fd{pty.master, POLLIN, 0};
    if (poll(&fd, 1, -1) < 0) {
      if (errno == EINTR) continue;
      std::perror("kvsim: poll");
      return 1;
    }
    char buffer[256];
    const ssize_t n = read(pty.master, buffer, sizeof buffer);
    if (n <= 0) {
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      std::perror("kvsim: read");
      return 1;
    }
    const QByteArray in(buffer, int(n));
    if (lastByte && nowNs() - lastByte > kPacketGapNs) radio.resetPacket();
    line.cross(rxFree, in.size());
    lastByte = nowNs();
    log.bytes("pc", in);
    const RadioEmulator::Reply reply = radio.receive(in);
    if (reply.storedBlock >= 0 && !memory.store()) return 1;
    if (!reply.bytes.isEmpty()) {
      line.cross(txFree, reply.bytes.size());
      log.bytes("radio", reply.bytes);
      if (write(pty.master, reply.bytes.constData(), reply.bytes.size()) < 0)
        std::perror("kvsim: write");
    }
    if (reply.dropLine) {
      log.add(QStringLiteral("line dropped"));
      complain(QStringLiteral("line dropped"));
      return 0;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  kv::useProgramIdentity();
  const auto options = parseOptions(app);
  if (!options) return 2;

  MemoryFile memory;
  if (!options->image.isEmpty() && !memory.open(options->image)) return 1;
  Log log;
  if (!options->log.isEmpty() && !log.open(options->log)) return 1;
  Pty pty;
  if (!pty.open()) return 1;
  // Our own hold on the terminal side keeps the line up while no program has it open, so
  // the radio waits for the next connection instead of seeing a hang-up.
  std::printf("%s\n", ttyname(pty.slave));
  std::fflush(stdout);

  struct sigaction action {};
  action.sa_handler = onSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  return serve(pty, *options, memory, log);
}
