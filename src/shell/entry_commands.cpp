#include "shell/wiring.h"

namespace shell {

void wireEntryCommands(MainWindow&, platform::Database&)
{
}

} // namespace shell
