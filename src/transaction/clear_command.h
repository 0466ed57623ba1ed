#pragma once

namespace transaction {

/**
 * The main window's clear command: asks, titled "警告!", whether to clear the transaction; OK clears the lines and
 * says so, Cancel says that nothing was done. Unit, serial, totals and slip variant stay either way.
 */
void confirmAndClear();

} // namespace transaction
