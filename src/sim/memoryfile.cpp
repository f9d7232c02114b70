#include "sim/memoryfile.h"

#include "image/atomicfile.h"
#include "image/boundedreader.h"
#include "sim/complain.h"

namespace kv::sim {

bool MemoryFile::open(const QString& path) {
  const BoundedRead stored = readFileBounded(path, kImageSize);
  using Status = BoundedRead::Status;
  if (stored.status == Status::TooLarge ||
      (stored.ok() && !stored.bytes.isEmpty() && stored.bytes.size() != kImageSize)) {
    complain(QStringLiteral("%1 is not a radio memory image: an image is empty or exactly %2 "
                            "bytes; the file is left as it is")
                 .arg(path)
                 .arg(kImageSize));
    return false;
  }
  if (!stored.ok() && stored.status != Status::NotFound) {
    complain(QStringLiteral("cannot read %1: %2").arg(path, stored.reason));
    return false;
  }
  if (stored.ok() && !stored.bytes.isEmpty()) memory = stored.bytes;
  path_ = path;
  return store();
}

bool MemoryFile::store() {
  if (path_.isEmpty()) return true;
  const auto error = writeFileAtomically(path_, memory);
  if (error) complain(QStringLiteral("cannot write %1: %2").arg(path_, *error));
  return !error;
}

}  // namespace kv::sim
