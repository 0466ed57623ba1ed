#pragma once

#include <QString>

namespace maintenance {

/**
 * The program that shows the system information, looked up by name on the search path; the empty text when none
 * is installed.
 */
QString systemInfoViewer();

/** Starts the viewer; false when there is none or it could not be started. */
bool startSystemInfoViewer();

} // namespace maintenance
