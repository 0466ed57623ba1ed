#include "shell/wiring.h"

namespace shell {

void wireSignIn(MainWindow&, platform::Database&)
{
}

} // namespace shell
