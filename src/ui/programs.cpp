#include "ui/programs.h"

#include <QProcess>
#include <QStandardPaths>

namespace kv::programs {
namespace {

struct TestState {
  bool on = false;
  QStringList started;
};

TestState& test() {
  static TestState state;
  return state;
}

}  // namespace

bool startFirstOf(const QStringList& names) {
  for (const QString& name : names) {
    const QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty()) continue;
    if (test().on) {
      test().started << program;
      return true;
    }
    if (QProcess::startDetached(program, {})) return true;
  }
  return false;
}

void setTestMode(bool on) {
  test().on = on;
  test().started.clear();
}

const QStringList& started() { return test().started; }

}  // namespace kv::programs
