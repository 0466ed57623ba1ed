#include "transaction/medicine_lookup.h"

#include "store/bound_recordset.h"

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

const QString nameField = u"名称"_s;
const QString codeField = u"代号"_s;

QList<store::Medicine> medicines(const QList<QStringList>& records, const QStringList& fields)
{
    QList<store::Medicine> result;
    result.reserve(records.size());
    for (const QStringList& record : records)
        result.append(store::medicineFromRecord(fields, record));
    return result;
}

} // namespace

QString ChoiceLine(const store::Medicine& medicine)
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

void fillRow(Line& row, const store::Medicine& medicine, bool withPurchasePrice, bool replaceName)
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
