#include "shell/wiring.h"

namespace shell {

void wireRecordCommands(MainWindow&, platform::Database&)
{
}

} // namespace shell
