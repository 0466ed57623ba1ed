#include "store/medicine.h"

using namespace Qt::Literals::StringLiterals;

namespace store {

Medicine medicineFromRecord(const QStringList& fields, const QStringList& record)
{
    const auto at = [&fields, &record](const QString& field) {
        const qsizetype i = fields.indexOf(field);
        return i >= 0 && i < record.size() ? record.at(i) : QString();
    };
    return { at(u"名称"_s), at(u"代号"_s), at(u"生产厂家"_s), at(u"规格"_s),  at(u"单位"_s),
             at(u"单价"_s), at(u"进价"_s), at(u"类型"_s),     at(u"助记码"_s) };
}

} // namespace store
