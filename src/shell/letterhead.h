#pragma once

#include <QString>

namespace shell {

/** The letterhead title read from the database once the main window is shown; the slips print it. */
const QString& Letterhead();
void setLetterhead(const QString& text);

} // namespace shell
