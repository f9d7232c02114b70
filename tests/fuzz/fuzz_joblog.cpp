// The job log's reader on any bytes: every entry it takes is written back as a line that
// reads as the same entry, so that the window, kvprog-cli and the appender agree on it.
#include "fuzzsupport.h"
#include "image/joblog.h"

using namespace kv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QList<JobEntry> entries = parseJobLog(kvfuzz::bytesOf(data, size));
  kvfuzz::require(entries.size() <= qsizetype(size), "an entry takes a line of its own");
  for (const JobEntry& entry : entries) {
    const QByteArray line = jobLogLine(entry);
    kvfuzz::require(line.endsWith('\n') && line.count('\n') == 1, "an entry is one line");
    kvfuzz::require(parseJobLog(line) == QList<JobEntry>{entry}, "an entry reads back as itself");
  }
  return 0;
}
