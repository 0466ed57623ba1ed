#pragma once

class QPrinter;

namespace platform {

/**
 * The one printer of the program: the printer set-up dialog changes it and every later slip run prints on it, so
 * that a choice made there holds for the rest of the run without becoming the system's default printer.
 */
QPrinter& programPrinter();

} // namespace platform
