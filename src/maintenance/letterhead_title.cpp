#include "maintenance/letterhead_title.h"

#include "store/bound_recordset.h"

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

bool storeLetterheadTitle(store::BoundRecordset& titles, const QString& title)
{
    const QString field = u"抬头"_s;
    if (!titles.moveFirst()) {
        if (titles.recordCount() != 0 || !titles.isOpen())
            return false;
        return titles.appendRecord({ field }, { title });
    }
    if (titles.edit() && titles.setValue(field, title) && titles.update())
        return true;
    titles.cancelUpdate();
    return false;
}

} // namespace maintenance
