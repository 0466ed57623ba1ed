#include "statistics/registers.h"

#include "store/bound_recordset.h"
#include "store/numbers.h"

using namespace Qt::Literals::StringLiterals;

namespace statistics {

std::optional<QStringList> unitNames(platform::Database& database)
{
    store::BoundRecordset units(database, u"单位"_s);
    const qsizetype nameIndex = units.fields().indexOf(u"单位名称"_s);
    if (!units.isOpen() || nameIndex < 0)
        return std::nullopt;
    QStringList names;
    for (const QStringList& record : units.allRecords())
        names << record.at(nameIndex);
    return names;
}

int recordCount(platform::Database& database, const QString& table)
{
    store::BoundRecordset records(database, table);
    return records.recordCount();
}

QString countText(int count)
{
    return count > 0 ? store::NumText(count) : QString();
}

} // namespace statistics
