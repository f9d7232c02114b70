#include "link/portjob.h"

#include "link/serialportfactory.h"

namespace kv {

PortJob::PortJob(const QString& device, const LinkOptions& options, BackupStore* backups,
                 TransferObserver& observer, LinkSession& session)
    : device_(device),
      port_(makeSerialPort()),
      job_(*port_, [this] { return open(); }, clock_, observer, session,
           {device, backups, options}) {}

PortJob::~PortJob() { port_->close(); }

std::optional<Failure> PortJob::open() { return port_->open(device_); }

}  // namespace kv
