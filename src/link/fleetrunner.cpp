#include "link/fleetrunner.h"

#include <QThread>
#include <memory>
#include <vector>

#include "link/systemserialport.h"

namespace kv {

QList<JobOutcome> runFleet(const QList<FleetPort>& ports, const QString& backupFolder,
                           const LinkOptions& options,
                           const std::function<JobOutcome(RadioJob&)>& work) {
  // Each thread writes its own element only.
  std::vector<JobOutcome> outcomes(ports.size());
  std::vector<std::unique_ptr<QThread>> threads;
  for (qsizetype i = 0; i < ports.size(); ++i) {
    threads.emplace_back(QThread::create([&, i] {
      const FleetPort& line = ports[i];
      SystemSerialPort port;  // created here: the port belongs to this thread
      SystemClock clock;
      LinkSession session;
      RadioJob job(port, [&] { return port.open(line.device); }, clock, *line.observer, session,
                   {line.device, backupFolder, options});
      outcomes[i] = work(job);
      port.close();
    }));
    threads.back()->start();
  }
  for (const auto& thread : threads) thread->wait();
  return QList<JobOutcome>(outcomes.begin(), outcomes.end());
}

}  // namespace kv
