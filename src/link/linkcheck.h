#pragma once

#include <QCoreApplication>

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "link/clock.h"
#include "link/linkengine.h"
#include "link/portholders.h"
#include "link/portlist.h"
#include "link/serialport.h"
#include "link/transferobserver.h"

namespace kv {

// What a link check found, in the order it looks: first the port, then the radio.
enum class Verdict {
  NoPort,       // no such port, or none that can be used
  Busy,         // another program holds it
  NoAccess,     // this user may not open it
  Silent,       // nothing came back
  Echo,         // exactly the bytes sent came back: the cable answers, not the radio
  Garbled,      // bytes came back that are no answer of the protocol
  Refused,      // the radio answered with NAK
  Interrupted,  // the radio answered, and then the read broke off
  Ok,           // the radio answered and a whole read went through
};

// The verdict's name for scripts, the same in every language: "no-port", "busy", "no-access",
// "silent", "echo", "garbled", "refused", "interrupted", "ok".
QString verdictCode(Verdict verdict);

// How long the check sends the wake-up cycle before it sorts what came back.
constexpr int kCheckListenMs = 5000;

struct CheckResult {
  PortInfo port;  // the device checked, with what the system lists of it
  Verdict verdict = Verdict::NoPort;
  QString reason;               // NoPort: why, in the system's words
  QList<PortHolder> holders;    // Busy: who holds the port
  bool holdersGuessed = false;  // Busy: the system hides the holder; these are running takers
  int blocksRead = 0;           // Interrupted: the blocks read before the break
  std::optional<int> model;     // Ok: the model the radio's memory names
  QString modelCode;            // Ok: the code its memory holds, as two hexadecimal digits
  bool cancelled = false;
};

// A result in words, in the current language.
struct CheckReport {
  QString cable;    // "CH340，USB 1a86:7523（Windows 驱动：CH341SER）"
  QString verdict;  // "对讲机没有回应。"
  QString advice;   // the next step; empty where the verdict has none
  // The verdict and its advice as one paragraph.
  QString text() const;
};
CheckReport describe(const CheckResult& result);

// The link check of one port: can the port be used, and does a radio answer on it? It sends
// what a read sends and never writes to a radio: on an acknowledgement it reads the whole
// memory, takes the model from it and keeps nothing.
class LinkCheck {
  Q_DECLARE_TR_FUNCTIONS(kv::LinkCheck)

 public:
  // `options.timeoutMs` is how long the wake-up cycle goes on, and every later wait for the
  // radio; the check's waits end at their time-out, whoever could press Cancel.
  LinkCheck(SerialPort& port, Clock& clock, TransferObserver& observer, LinkOptions options);

  // The whole check: the port (exists, may be opened, held by no other program), then, when
  // it opens, the radio. The port is closed at the end.
  CheckResult run(const PortInfo& port);
  // The radio alone, over a port open for it.
  void listen(CheckResult& result);

 private:
  CheckResult examine(const PortInfo& port);

  SerialPort& port_;
  Clock& clock_;
  TransferObserver& observer_;
  LinkOptions options_;
};

// A check as the window and kvprog-cli run it, with this platform's port and clock. Run it in
// the thread it is meant for: the port belongs to that thread.
CheckResult checkPort(const PortInfo& port, TransferObserver& observer, const LinkOptions& options);

}  // namespace kv
