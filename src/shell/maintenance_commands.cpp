#include "shell/wiring.h"

namespace shell {

void wireMaintenanceCommands(MainWindow&, platform::Database&)
{
}

} // namespace shell
