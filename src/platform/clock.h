#pragma once

#include <QDate>
#include <QDateTime>

namespace platform {

/** "Today" and "now" for the whole program; stored dates, slip dates, log times and backup names read it. */
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

Clock& clock();
/** Installs a replacement clock (not owned); nullptr restores the system clock. */
void setClock(Clock* replacement);

} // namespace platform
