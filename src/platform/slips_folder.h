#pragma once

#include <QString>

namespace platform {

/** The folder `slips` of the data folder: the slips printed where no printer took them. */
QString slipsFolder();

/** Makes the folder when it is missing; false with the reason, in the user's words, when it cannot. */
bool makeSlipsFolder(QString* problem);

} // namespace platform
