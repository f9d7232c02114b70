// kvsim: a radio on a pseudo-terminal, for trying the programming software without a radio.
#include <poll.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "image/memoryimage.h"
#include "image/programfolders.h"
#include "sim/bytelog.h"
#include "sim/complain.h"
#include "sim/line.h"
#include "sim/memoryfile.h"
#include "sim/monotonic.h"
#include "sim/pseudoterminal.h"
#include "sim/radioemulator.h"

using kv::RadioEmulator;
using kv::RadioFaults;
using namespace kv::sim;

namespace {

// A pause after which a half-received packet is forgotten.
constexpr qint64 kPacketGapNs = 1'000'000'000;

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
      {"silent", "Answer nothing at all, as a radio that is off."},
      {"echo", "Send back every byte received, as a cable with no radio behind it that echoes."},
      {"garble",
       "Answer every byte with a byte that is no answer, as another device or a line "
       "at the wrong speed."},
      {"refuse", "Answer the wake-up sequence with NAK (0x15)."},
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
  const std::pair<const char*, RadioFaults::Line> lines[] = {{"silent", RadioFaults::Line::Silent},
                                                             {"echo", RadioFaults::Line::Echo},
                                                             {"garble", RadioFaults::Line::Garble},
                                                             {"refuse", RadioFaults::Line::Refuse}};
  int chosen = 0;
  for (const auto& [name, line] : lines) {
    if (!parser.isSet(name)) continue;
    faults.line = line;
    ++chosen;
  }
  if (chosen > 1) {
    complain(QStringLiteral("--silent, --echo, --garble and --refuse exclude each other"));
    ok = false;
  }
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

// Answers the PC until a signal or a dropped line; the exit status.
int serve(const Pty& pty, const Options& options, MemoryFile& memory, ByteLog& log) {
  RadioEmulator radio(memory.memory, options.faults);
  const Line line(options.baud);
  qint64 rxFree = 0;
  qint64 txFree = 0;
  qint64 lastByte = 0;
  while (!stopRequested()) {
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
  ByteLog log;
  if (!options->log.isEmpty() && !log.open(options->log)) return 1;
  Pty pty;
  if (!pty.open()) return 1;
  // Our own hold on the terminal side keeps the line up while no program has it open, so
  // the radio waits for the next connection instead of seeing a hang-up.
  std::printf("%s\n", ttyname(pty.slave));
  std::fflush(stdout);

  stopOnSignals();
  return serve(pty, *options, memory, log);
}
