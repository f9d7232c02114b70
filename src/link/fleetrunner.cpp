#include "link/fleetrunner.h"

#include <QThread>
#include <memory>
#include <optional>
#include <vector>

#include "image/backups.h"
#include "link/portjob.h"

namespace kv {

QList<JobOutcome> runFleet(const QList<FleetPort>& ports, const QString& backupFolder,
                           const LinkOptions& options,
                           const std::function<JobOutcome(RadioJob&)>& work) {
  // The lines share one store, which keeps their backups one at a time.
  std::optional<BackupStore> backups;
  if (!backupFolder.isEmpty()) backups.emplace(backupFolder);
  // Each thread writes its own element only.
  std::vector<JobOutcome> outcomes(ports.size());
  std::vector<std::unique_ptr<QThread>> threads;
  for (qsizetype i = 0; i < ports.size(); ++i) {
    threads.emplace_back(QThread::create([&, i] {
      const FleetPort& line = ports[i];
      LinkSession session;
      PortJob job(line.device, options, backups ? &*backups : nullptr, *line.observer, session);
      outcomes[i] = work(job.job());
      if (line.ended) line.ended(outcomes[i]);
    }));
    threads.back()->start();
  }
  for (const auto& thread : threads) thread->wait();
  return QList<JobOutcome>(outcomes.begin(), outcomes.end());
}

}  // namespace kv
