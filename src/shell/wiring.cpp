#include "shell/wiring.h"

namespace shell {

void wireEverything(MainWindow& main, platform::Database& database)
{
    wireSignIn(main, database);
    wireAccountCommands(main, database);
    wireEntryCommands(main, database);
    wireRecordCommands(main, database);
    wireMaintenanceCommands(main, database);
}

} // namespace shell
