#include "link/jobrecord.h"

#include <QCryptographicHash>

#include "model/radiomodel.h"

namespace kv {
namespace {

// A failure longer than this is cut in the log: a line of it stays readable.
constexpr int kLongestFailure = 1000;

}  // namespace

JobEntry jobEntry(const QString& action, const JobOutcome& outcome, const QString& portText,
                  const PortInfo& port, const QDateTime& when) {
  JobEntry entry;
  entry.time = when.toOffsetFromUtc(when.offsetFromUtc());
  entry.action = action;
  entry.outcome = outcome.ok          ? QStringLiteral("ok")
                  : outcome.cancelled ? QStringLiteral("cancelled")
                  : outcome.refused   ? QStringLiteral("refused")
                                      : QStringLiteral("failed");
  entry.port = portText;
  entry.device = port.device;
  if (port.isUsb()) entry.usbId = port.usbId();
  entry.serial = port.serialNumber;
  const QByteArray& image =
      action == QLatin1String("write") ? outcome.writtenImage : outcome.readImage;
  if (!image.isEmpty()) {
    entry.model = modelNameOfByte(quint8(image[0]));
    entry.sha256 =
        QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
  }
  entry.backup = outcome.backup;
  if (outcome.matched) {
    entry.verify = *outcome.matched ? QStringLiteral("ok") : QStringLiteral("differs");
    entry.differences = int(outcome.differences.size());
  }
  // A comparison that found differences says so in its report.
  if (!outcome.ok)
    entry.failure =
        (outcome.summary.isEmpty() ? outcome.report : outcome.summary).left(kLongestFailure);
  return entry;
}

}  // namespace kv
