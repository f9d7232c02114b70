#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "link/clock.h"
#include "link/radiojob.h"

namespace kv {

// A transfer job on one port, as the window's worker, the fleet runner and the command line
// run it: this platform's serial port (makeSerialPort), the system clock and a RadioJob that
// opens the port whenever a transfer starts. Create it in the thread that runs the transfers:
// the port belongs to that thread. The port is closed when the job goes.
class PortJob {
 public:
  PortJob(const QString& device, const LinkOptions& options, BackupStore* backups,
          TransferObserver& observer, LinkSession& session);
  ~PortJob();
  PortJob(const PortJob&) = delete;
  PortJob& operator=(const PortJob&) = delete;

  // Opens the port ahead of the first transfer; why not when it cannot be.
  std::optional<Failure> open();
  RadioJob& job() { return job_; }

 private:
  const QString device_;
  std::unique_ptr<SerialPort> port_;
  SystemClock clock_;
  RadioJob job_;
};

}  // namespace kv
