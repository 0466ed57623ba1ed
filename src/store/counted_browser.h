#pragma once

#include <QtGlobal>

namespace store {

class BoundRecordset;

/**
 * The browse windows' position keeping: N is the record count taken when browsing starts, P the 1-based position.
 * Both are 16-bit, as the windows have always kept them; a table of more than 32767 records is browsed up to the
 * 32767th.
 */
class CountedBrowser final
{
public:
    enum class Step { Moved, AtFirst, AtLast, Failed };

    explicit CountedBrowser(BoundRecordset& source);

    /** Counts the records and goes to the first with both buttons enabled; false on an empty table. */
    bool start();
    Step first();
    Step last();
    /** At P = 1: AtFirst, nothing moves, and the previous button is to be disabled. */
    Step previous();
    /** At P = N: AtLast, nothing moves, and the next button is to be disabled. */
    Step next();
    /**
     * The current record has just been removed: N one less, back to the first record with P = 1; the buttons keep
     * their state. Failed when no record is left.
     */
    Step removed();

    qint16 count() const { return m_count; }
    qint16 position() const { return m_position; }
    bool previousEnabled() const { return m_previousEnabled; }
    bool nextEnabled() const { return m_nextEnabled; }

private:
    BoundRecordset& m_source;
    qint16 m_count = 0;
    qint16 m_position = 0;
    bool m_previousEnabled = true;
    bool m_nextEnabled = true;
};

} // namespace store
