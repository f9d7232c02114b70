#pragma once

#include <sys/mount.h>
#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

namespace kvtest {

// A small file system of its own (a tmpfs) that a test can fill to the last byte, so that
// writes fail the way they do on a full disk. Mounting needs root; `skipReason` says why
// there is none otherwise.
class FullDisk {
 public:
  FullDisk() {
    if (!dir_.isValid()) {
      skipReason_ = "cannot create a temporary folder";
    } else if (geteuid() != 0) {
      skipReason_ = "mounting a small tmpfs to fill needs root";
    } else if (mount("tmpfs", path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0) {
      skipReason_ = QByteArray("cannot mount a tmpfs: ") + std::strerror(errno);
    } else {
      mounted_ = true;
    }
  }
  ~FullDisk() {
    if (mounted_) umount2(path().toLocal8Bit().constData(), MNT_DETACH);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

  bool mounted() const { return mounted_; }
  const char* skipReason() const { return skipReason_.constData(); }
  QString path() const { return dir_.path(); }
  QString filePath(const QString& name) const { return dir_.filePath(name); }

  // Takes every free byte; true when the file system is then full.
  bool fill() {
    QFile filler(filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::Append | QIODevice::Unbuffered)) return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    // The last page may take a few bytes more.
    while (filler.write("x", 1) == 1) {
    }
    return true;
  }

 private:
  QTemporaryDir dir_;
  bool mounted_ = false;
  QByteArray skipReason_;
};

}  // namespace kvtest
