#include "statistics/sale_history.h"

#include "store/numbers.h"
#include "store/table_names.h"
#include "transaction/amounts.h"

using namespace Qt::Literals::StringLiterals;

namespace statistics {

QString saleDateText(const QString& year, const QString& month, const QString& day)
{
    return QStringList { transaction::numberText(store::NumValue(year)),
                         transaction::numberText(store::NumValue(month)),
                         transaction::numberText(store::NumValue(day)) }
        .join(u'/');
}

SaleHistory::SaleHistory(platform::Database& database) : m_lines(database), m_browser(m_lines) { }

bool SaleHistory::chooseUnit(const QString& unit)
{
    // The name comes from the register's data; only a bare table name is taken for a table.
    m_hasUnit = store::isBareTableName(unit) && m_lines.setRecordSource(unit) && m_browser.start();
    return m_hasUnit;
}

SaleLine SaleHistory::line() const
{
    if (!m_hasUnit)
        return {};
    const auto field = [this](const QString& name) {
        return m_lines.value(name).value_or(QString());
    };
    return { field(u"交易药品名"_s),
             field(u"产地"_s),
             field(u"规格"_s),
             field(u"单位"_s),
             field(u"数量"_s),
             field(u"单价"_s),
             saleDateText(field(u"交易年"_s), field(u"交易月"_s), field(u"交易日"_s)) };
}

SaleHistory::Step SaleHistory::first()
{
    return m_hasUnit ? m_browser.first() : Step::Failed;
}

SaleHistory::Step SaleHistory::previous()
{
    return m_hasUnit ? m_browser.previous() : Step::Failed;
}

SaleHistory::Step SaleHistory::next()
{
    return m_hasUnit ? m_browser.next() : Step::Failed;
}

SaleHistory::Step SaleHistory::last()
{
    return m_hasUnit ? m_browser.last() : Step::Failed;
}

SaleHistory::Search SaleHistory::search(const QString& medicine)
{
    if (!m_hasUnit)
        return Search::NoUnit;
    m_criterion = store::Criterion { u"交易药品名"_s, medicine };
    m_lines.findFirst(*m_criterion);
    return m_lines.noMatch() ? Search::NotFound : Search::Found;
}

bool SaleHistory::findFirst()
{
    if (!canFind())
        return false;
    m_lines.findFirst(*m_criterion);
    return true;
}

bool SaleHistory::findPrevious()
{
    if (!canFind())
        return false;
    m_lines.findPrevious(*m_criterion);
    return true;
}

bool SaleHistory::findNext()
{
    if (!canFind())
        return false;
    m_lines.findNext(*m_criterion);
    return true;
}

bool SaleHistory::findLast()
{
    if (!canFind())
        return false;
    m_lines.findLast(*m_criterion);
    return true;
}

} // namespace statistics
