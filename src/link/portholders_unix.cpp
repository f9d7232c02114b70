#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "image/boundedreader.h"
#include "link/portholders.h"

namespace kv {
namespace {

constexpr qint64 kProcFileLimit = 64 * 1024;

// The name a process was started under (its first argument, so "exec -a brltty" counts),
// without the folder; its command name where that is not readable.
QString processName(const QString& process) {
  const BoundedRead cmdline = readFileBounded(process + QStringLiteral("/cmdline"), kProcFileLimit);
  if (cmdline.ok()) {
    const qsizetype end = cmdline.bytes.indexOf('\0');
    const QByteArray first = end < 0 ? cmdline.bytes : cmdline.bytes.left(end);
    if (!first.isEmpty()) return QFileInfo(QFile::decodeName(first)).fileName();
  }
  const BoundedRead comm = readFileBounded(process + QStringLiteral("/comm"), kProcFileLimit);
  return comm.ok() ? QString::fromLocal8Bit(comm.bytes).trimmed() : QString();
}

// Calls `visit` with the folder and id of every other process on the system.
void forEachOtherProcess(const std::function<void(const QString&, qint64)>& visit) {
  const qint64 self = getpid();
  const QDir proc(QStringLiteral("/proc"));
  for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool numeric = false;
    const qint64 pid = entry.toLongLong(&numeric);
    if (numeric && pid != self) visit(proc.filePath(entry), pid);
  }
}

// The device a file descriptor of a process stands for (the link is followed), or 0 for
// anything that is not a character device.
dev_t characterDevice(const QString& path) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISCHR(info.st_mode)) return 0;
  return info.st_rdev;
}

// The number of the pseudo-terminal a master descriptor (/dev/ptmx) stands for.
int masterIndex(const QString& process, const QString& fd) {
  const BoundedRead info =
      readFileBounded(process + QStringLiteral("/fdinfo/") + fd, kProcFileLimit);
  if (!info.ok()) return -1;
  for (const QByteArray& line : info.bytes.split('\n'))
    if (line.startsWith("tty-index:")) return line.mid(10).trimmed().toInt();
  return -1;
}

// A terminal device: a serial line or a pseudo-terminal's terminal side (which sysfs does not
// list). Other devices, such as /dev/null that every daemon holds, have no holder to name.
bool isTerminal(dev_t device, bool isPty) {
  if (isPty) return true;
  const QString subsystem =
      QFileInfo(
          QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(major(device)).arg(minor(device)))
          .symLinkTarget();
  return subsystem.endsWith(QLatin1String("/tty"));
}

}  // namespace

QList<PortHolder> portHolders(const QString& device) {
  const dev_t target = characterDevice(device);
  // The pseudo-terminal /dev/pts/N: its master side is the line's other end.
  const QString path = QFileInfo(device).canonicalFilePath();
  bool isPty = false;
  const int ptyIndex =
      path.startsWith(QLatin1String("/dev/pts/")) ? QFileInfo(path).fileName().toInt(&isPty) : -1;
  if (!target || !isTerminal(target, isPty)) return {};
  const dev_t ptmx = characterDevice(QStringLiteral("/dev/ptmx"));
  QList<PortHolder> holders;
  forEachOtherProcess([&](const QString& process, qint64 pid) {
    const QDir fds(process + QStringLiteral("/fd"));
    bool holds = false;
    bool farEnd = false;
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
      const dev_t opened = characterDevice(fds.filePath(fd));
      if (opened == target) holds = true;
      if (isPty && opened == ptmx && masterIndex(process, fd) == ptyIndex) farEnd = true;
    }
    if (holds && !farEnd) holders.append({pid, processName(process)});
  });
  return holders;
}

QList<PortHolder> portTakers() {
  QList<PortHolder> takers;
  forEachOtherProcess([&](const QString& process, qint64 pid) {
    const QString name = processName(process);
    if (name == QLatin1String("brltty") || name == QLatin1String("ModemManager"))
      takers.append({pid, name});
  });
  return takers;
}

}  // namespace kv
