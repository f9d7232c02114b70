#pragma once

#include <QByteArray>
#include <QString>

#include "image/memoryimage.h"

namespace kv::sim {

// The radio's memory, kept in a file when one is given.
class MemoryFile {
 public:
  // Takes a missing or empty file as a memory full of 0xFF, and a file of exactly 1024 bytes
  // as the memory. Anything else (a channel file passed by mistake) is refused and left as it
  // is. False, with a complaint on stderr, when the file is refused or cannot be written.
  bool open(const QString& path);
  // Writes the memory out whole after each stored block, so the file is never half-written.
  bool store();

  QByteArray memory = QByteArray(kImageSize, char(0xFF));

 private:
  QString path_;
};

}  // namespace kv::sim
