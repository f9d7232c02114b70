#include "cli/command.h"

namespace kv::cli {

QList<Command> fileCommands() { return {}; }

}  // namespace kv::cli
