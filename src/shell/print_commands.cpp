#include "shell/main_window.h"
#include "shell/wiring.h"

namespace shell {

// Commands for printing the slip and the printer set-up.
void wirePrintCommands(MainWindow&, platform::Database&) { }

} // namespace shell
