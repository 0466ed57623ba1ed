#include "shell/main_window.h"
#include "shell/wiring.h"

namespace shell {

// Commands for reviewing the sale in progress.
void wireReviewCommands(MainWindow&, platform::Database&) { }

} // namespace shell
