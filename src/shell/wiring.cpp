#include "shell/wiring.h"

namespace shell {

void wireEverything(MainWindow& main, platform::Database& database)
{
    wireSignIn(main, database);
    wireAccountCommands(main, database);
    wireEntryCommands(main, database);
    wireRecordCommands(main, database);
    wireMaintenanceCommands(main, database);
    wireTransactionFileCommands(main, database);
    wirePrintCommands(main, database);
    wireReviewCommands(main, database);
    wireStatisticsCommands(main, database);
    wireTableCommands(main, database);
}

} // namespace shell
