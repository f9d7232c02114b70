// kvsim: a radio on a pseudo-terminal, for trying the programming software without a radio.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <ctime>

#include "image/programfolders.h"
#include "sim/radioemulator.h"

using kv::RadioEmulator;
using kv::RadioFaults;

namespace {

constexpr int kMemorySize = 1024;
constexpr int kBlockSize = 8;
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

// A line at a given baud rate: each byte takes ten bit times, one after the other.
class Line {
 public:
  explicit Line(int baud) : byteNs_(baud > 0 ? 10'000'000'000LL / baud : 0) {}
  // When `count` bytes that start now (or once the line is free) have fully crossed.
  qint64 done(qint64& freeAt, int count) const {
    freeAt = std::max(freeAt, nowNs()) + count * byteNs_;
    return freeAt;
  }
  bool paced() const { return byteNs_ > 0; }

 private:
  qint64 byteNs_;
};

class Log {
 public:
  bool open(const QString& path) {
    file_.setFileName(path);
    start_ = nowNs();
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
  }
  void bytes(const char* who, const QByteArray& bytes) {
    if (!file_.isOpen() || bytes.isEmpty()) return;
    file_.write(QStringLiteral("%1 %2 %3\n")
                    .arg((nowNs() - start_) / 1'000'000)
                    .arg(QLatin1String(who), QString::fromLatin1(bytes.toHex(' ').toUpper()))
                    .toLatin1());
    file_.flush();
  }
  void note(const QString& text) {
    if (!file_.isOpen()) return;
    file_.write(QStringLiteral("%1 %2\n").arg((nowNs() - start_) / 1'000'000).arg(text).toUtf8());
    file_.flush();
  }

 private:
  QFile file_;
  qint64 start_ = 0;
};

std::optional<int> blockOption(const QCommandLineParser& parser, const QString& name, bool& ok) {
  if (!parser.isSet(name)) return std::nullopt;
  bool valid = false;
  const int block = parser.value(name).toInt(&valid);
  if (!valid || block < 0 || block > 127) {
    std::fprintf(stderr, "kvsim: --%s takes a block number 0..127\n", qPrintable(name));
    ok = false;
  }
  return block;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  kv::useProgramIdentity();
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Emulates a radio on a pseudo-terminal. Prints the device to open in the programming\n"
      "software (or to pass to kvprog-cli --port), then answers as a radio does until it is\n"
      "stopped with Ctrl-C. Blocks are numbered 0..127 (block b is memory address 8b)."));
  parser.addHelpOption();
  const QCommandLineOption version({"v", "version"}, "Displays version information.");
  parser.addOption(version);
  parser.addOptions({
      {"image", "Keep the radio's 1024-byte memory in <file> (created full of 0xFF).", "file"},
      {"baud", "Pace bytes as a line at <rate> baud would (e.g. 9600); default: no pacing.",
       "rate"},
      {"log", "Log every byte both ways to <file>.", "file"},
      {"nak-at", "Answer 0x15 (NAK) instead of 0x06 at <block>.", "block"},
      {"silent-from", "Answer nothing from <block> on.", "block"},
      {"drop-at", "Drop the line (close the pseudo-terminal and exit) at <block>.", "block"},
      {"short-at", "Answer the read request for <block> with 11 bytes instead of 12.", "block"},
      {"long-at", "Answer the read request for <block> with 13 bytes in one burst.", "block"},
      {"no-handshake", "Never answer the wake-up sequence."},
  });
  parser.process(app);
  if (parser.isSet(version)) {
    std::printf("%s\n", qPrintable(kv::versionLine(QStringLiteral("kvsim"))));
    return 0;
  }

  bool ok = true;
  RadioFaults faults;
  faults.nakAt = blockOption(parser, "nak-at", ok);
  faults.silentFrom = blockOption(parser, "silent-from", ok);
  faults.dropAt = blockOption(parser, "drop-at", ok);
  faults.shortAt = blockOption(parser, "short-at", ok);
  faults.longAt = blockOption(parser, "long-at", ok);
  faults.noHandshake = parser.isSet("no-handshake");
  const int baud = parser.isSet("baud") ? parser.value("baud").toInt() : 0;
  if (parser.isSet("baud") && baud <= 0) {
    std::fprintf(stderr, "kvsim: --baud takes a positive rate\n");
    ok = false;
  }
  if (!ok) return 2;

  QByteArray memory(kMemorySize, char(0xFF));
  QFile image;
  if (parser.isSet("image")) {
    image.setFileName(parser.value("image"));
    const bool exists = QFileInfo::exists(image.fileName());
    if (!image.open(QIODevice::ReadWrite)) {
      std::fprintf(stderr, "kvsim: cannot open %s: %s\n", qPrintable(image.fileName()),
                   qPrintable(image.errorString()));
      return 1;
    }
    if (exists) {
      const QByteArray stored = image.read(kMemorySize);
      memory.replace(0, stored.size(), stored);
    }
    image.resize(0);
    image.write(memory);
    image.flush();
  }
  Log log;
  if (parser.isSet("log") && !log.open(parser.value("log"))) {
    std::fprintf(stderr, "kvsim: cannot write %s\n", qPrintable(parser.value("log")));
    return 1;
  }

  int master = -1;
  int slave = -1;
  termios raw{};
  cfmakeraw(&raw);
  cfsetspeed(&raw, B9600);
  if (openpty(&master, &slave, nullptr, &raw, nullptr) != 0) {
    std::perror("kvsim: openpty");
    return 1;
  }
  // Our own hold on the terminal side keeps the line up while no program has it open, so
  // the radio waits for the next connection instead of seeing a hang-up.
  const QString device = QString::fromLocal8Bit(ttyname(slave));
  std::printf("%s\n", qPrintable(device));
  std::fflush(stdout);

  struct sigaction action {};
  action.sa_handler = onSignal;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  RadioEmulator radio(memory, faults);
  const Line line(baud);
  qint64 rxFree = 0;
  qint64 txFree = 0;
  qint64 lastByte = 0;
  int status = 0;
  while (!stopRequested) {
    pollfd fd{master, POLLIN, 0};
    const int ready = poll(&fd, 1, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      std::perror("kvsim: poll");
      status = 1;
      break;
    }
    char buffer[256];
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) {
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      std::perror("kvsim: read");
      status = 1;
      break;
    }
    const QByteArray in(buffer, int(n));
    if (lastByte && nowNs() - lastByte > kPacketGapNs) radio.resetPacket();
    if (line.paced()) sleepUntil(line.done(rxFree, in.size()));
    lastByte = nowNs();
    log.bytes("pc", in);
    const RadioEmulator::Reply reply = radio.receive(in);
    if (reply.storedBlock >= 0 && image.isOpen()) {
      image.seek(reply.storedBlock * kBlockSize);
      image.write(memory.mid(reply.storedBlock * kBlockSize, kBlockSize));
      image.flush();
    }
    if (!reply.bytes.isEmpty()) {
      if (line.paced()) sleepUntil(line.done(txFree, reply.bytes.size()));
      log.bytes("radio", reply.bytes);
      if (write(master, reply.bytes.constData(), reply.bytes.size()) < 0)
        std::perror("kvsim: write");
    }
    if (reply.dropLine) {
      log.note(QStringLiteral("line dropped"));
      std::fprintf(stderr, "kvsim: line dropped\n");
      break;
    }
  }
  close(slave);
  close(master);
  return status;
}
