#pragma once

namespace platform {

/**
 * The intervals of the timers that the program's behaviour depends on, in milliseconds, kept in one place so that
 * a test can make them fire at once instead of sleeping through them.
 */
struct Timing
{
    int splash = 2000; ///< the start-up picture
    int opening = 1; ///< a window's run-once opening work after it is shown
    int slipPrint = 100; ///< the print windows' start
    int slipPagePause = 100; ///< the pause after each printed slip page, input held off
    int closeAfterFinish = 10000; ///< an entry window closing after a finished sale
    int periodicLogSave = 60000; ///< the activity log's periodic save
    int finalSave = 1; ///< the shutdown's final log save
    int printSystemAnswer = 5000; ///< how long the print system may take to answer before a run gives it up
    int printJobWatch = 3000; ///< how long a job handed to the print system is watched for its failure
    int progressShown = 500; ///< how long long work runs before its progress bar shows
};

Timing& timing();

} // namespace platform
