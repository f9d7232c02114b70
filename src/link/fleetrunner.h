#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "link/radiojob.h"

namespace kv {

// One radio of a fleet: its port's device and what shows its transfers, called from that
// port's thread only.
struct FleetPort {
  QString device;
  TransferObserver* observer = nullptr;
  // Told the outcome the moment that port's job ends, while the others go on.
  std::function<void(const JobOutcome&)> ended = {};
};

// Runs `work` on every port at once, each on a thread of its own that creates and opens its
// serial port there and gives its line a receive mode of its own, as a run of its own would
// have. A line's failure leaves the others alone; whether to cancel is each observer's to
// say. Returns the outcomes in the ports' order once every line has ended.
QList<JobOutcome> runFleet(const QList<FleetPort>& ports, const QString& backupFolder,
                           const LinkOptions& options,
                           const std::function<JobOutcome(RadioJob&)>& work);

}  // namespace kv
