#include "shell/wiring.h"

namespace shell {

void wireAccountCommands(MainWindow&, platform::Database&)
{
}

} // namespace shell
