#pragma once

namespace platform {
class Database;
}

namespace shell {

class MainWindow;

/** Attaches every subsystem's commands and start-up and shutdown steps to the main window. */
void wireEverything(MainWindow& main, platform::Database& database);

// One function a subsystem, each in its own file.
void wireSignIn(MainWindow& main, platform::Database& database);
void wireAccountCommands(MainWindow& main, platform::Database& database);
void wireEntryCommands(MainWindow& main, platform::Database& database);
void wireRecordCommands(MainWindow& main, platform::Database& database);
void wireMaintenanceCommands(MainWindow& main, platform::Database& database);
void wireTransactionFileCommands(MainWindow& main, platform::Database& database);
void wirePrintCommands(MainWindow& main, platform::Database& database);
void wireReviewCommands(MainWindow& main, platform::Database& database);
void wireStatisticsCommands(MainWindow& main, platform::Database& database);
/** The windows that show stored sales and the activity log as tables. */
void wireTableCommands(MainWindow& main, platform::Database& database);

} // namespace shell
