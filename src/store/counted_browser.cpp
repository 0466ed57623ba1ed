#include "store/counted_browser.h"

#include "store/bound_recordset.h"

#include <algorithm>
#include <limits>

namespace store {

namespace {

constexpr int largestCount = std::numeric_limits<qint16>::max();

} // namespace

CountedBrowser::CountedBrowser(BoundRecordset& source) : m_source(source) { }

bool CountedBrowser::start()
{
    // The count is kept in 16 bits; a larger table is browsed up to its 32767th record instead of overflowing N.
    const int count = std::min(m_source.recordCount(), largestCount);
    if (count <= 0 || !m_source.moveFirst())
        return false;
    m_count = qint16(count);
    m_position = 1;
    m_previousEnabled = true;
    m_nextEnabled = true;
    return true;
}

CountedBrowser::Step CountedBrowser::first()
{
    if (!m_source.moveFirst())
        return Step::Failed;
    m_position = 1;
    m_previousEnabled = false;
    m_nextEnabled = true;
    return Step::Moved;
}

CountedBrowser::Step CountedBrowser::last()
{
    // Past 32767 records the last reachable record is the N-th, not the table's last.
    const bool moved = m_source.recordCount() > m_count ? m_source.moveToPosition(m_count) : m_source.moveLast();
    if (!moved)
        return Step::Failed;
    m_position = m_count;
    m_previousEnabled = true;
    m_nextEnabled = false;
    return Step::Moved;
}

CountedBrowser::Step CountedBrowser::previous()
{
    if (m_position <= 1) {
        m_previousEnabled = false;
        return Step::AtFirst;
    }
    if (!m_source.movePrevious())
        return Step::Failed;
    --m_position;
    m_nextEnabled = true;
    return Step::Moved;
}

CountedBrowser::Step CountedBrowser::next()
{
    if (m_position >= m_count) {
        m_nextEnabled = false;
        return Step::AtLast;
    }
    if (!m_source.moveNext())
        return Step::Failed;
    ++m_position;
    m_previousEnabled = true;
    return Step::Moved;
}

CountedBrowser::Step CountedBrowser::removed()
{
    if (m_count > 0)
        --m_count;
    if (m_count == 0 || !m_source.moveFirst())
        return Step::Failed;
    m_position = 1;
    return Step::Moved;
}

} // namespace store
