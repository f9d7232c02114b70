#pragma once

#include <QByteArray>
#include <QString>

namespace kv {

// GB18030 text as Chinese systems save it. Each platform decodes it with its own converter: Qt's
// (through ICU) on Linux, the system's code page 54936 on Windows, where Qt has no ICU.
QString decodeGb18030(const QByteArray& bytes);

}  // namespace kv
