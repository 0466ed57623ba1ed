#include "transaction/medicine_lookup.h"

#include "store/bound_recordset.h"

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

const QString nameField = u"名称"_s;
const QString codeField = u"代号"_s;

QList<Medicine> medicines(const QList<QStringList>& records, const QStringList& fields)
{
    const auto index = [&fields](const QString& field) {
        return fields.indexOf(field);
    };
    const qsizetype name = index(nameField);
    const qsizetype code = index(codeField);
    const qsizetype maker = index(u"生产厂家"_s);
    const qsizetype spec = index(u"规格"_s);
    const qsizetype unit = index(u"单位"_s);
    const qsizetype unitPrice = index(u"单价"_s);
    const qsizetype purchasePrice = index(u"进价"_s);
    const qsizetype type = index(u"类型"_s);
    const auto at = [](const QStringList& record, qsizetype i) {
        return i >= 0 && i < record.size() ? record.at(i) : QString();
    };
    QList<Medicine> result;
    result.reserve(records.size());
    for (const QStringList& record : records) {
        result.append({ at(record, name), at(record, code), at(record, maker), at(record, spec), at(record, unit),
                        at(record, unitPrice), at(record, purchasePrice), at(record, type) });
    }
    return result;
}

} // namespace

QString ChoiceLine(const Medicine& medicine)
{
    return u"品名: "_s + medicine.name + u" 厂家: "_s + medicine.maker + u" 单价: "_s + medicine.unitPrice
        + u" 单位: "_s + medicine.unit + u" 规格: "_s + medicine.spec + u" 类型: "_s + medicine.type;
}

Lookup LookupMedicine(store::BoundRecordset& catalogue, const QString& text)
{
    Lookup lookup;
    if (text.size() < 2) {
        lookup.outcome = Lookup::Outcome::TooShort;
        return lookup;
    }
    QList<QStringList> records = catalogue.findAll({ nameField, text });
    if (records.isEmpty()) {
        records = catalogue.findAll({ codeField, text });
        lookup.byCode = true;
    }
    if (records.isEmpty()) {
        lookup.byCode = false;
        return lookup;
    }
    lookup.outcome = Lookup::Outcome::Found;
    lookup.matches = medicines(records, catalogue.fields());
    return lookup;
}

void emptyRowBesideName(Line& row)
{
    const QString name = row.name;
    row = Line {};
    row.name = name;
}

void fillRow(Line& row, const Medicine& medicine, bool withPurchasePrice, bool replaceName)
{
    if (replaceName)
        row.name = medicine.name;
    row.maker = medicine.maker;
    row.unitPrice = medicine.unitPrice;
    row.spec = medicine.spec;
    row.unit = medicine.unit;
    row.drugType = medicine.type;
    if (withPurchasePrice)
        row.purchasePrice = medicine.purchasePrice;
}

} // namespace transaction
