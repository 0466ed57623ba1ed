#include "shell/main_window.h"
#include "shell/wiring.h"

namespace shell {

// Commands for past sales, statistics and counts.
void wireStatisticsCommands(MainWindow&, platform::Database&) { }

} // namespace shell
