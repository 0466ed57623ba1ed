#include "shell/main_window.h"
#include "shell/wiring.h"

namespace shell {

// Commands for saving and reading the sale in progress.
void wireTransactionFileCommands(MainWindow&, platform::Database&) { }

} // namespace shell
