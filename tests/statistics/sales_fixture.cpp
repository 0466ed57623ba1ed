#include "sales_fixture.h"

#include "store/sale_date_index.h"
#include "store/statements.h"

#include <QHash>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace statisticstests {

void registerUnit(testsupport::ScratchDatabase& scratch, const QString& name, bool withTable)
{
    QVERIFY2(scratch.db().exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { name }),
             qPrintable(scratch.db().lastError()));
    if (withTable)
        QVERIFY2(store::createTransactionTable(scratch.db(), name), qPrintable(scratch.db().lastError()));
}

void storeSales(testsupport::ScratchDatabase& scratch, const QString& unit, const QList<Sale>& sales)
{
    const QStringList columns = store::transactionTableColumns();
    QStringList quoted;
    for (const QString& column : columns)
        quoted << platform::quoteIdentifier(column);
    const QString sql = u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(platform::quoteIdentifier(unit), quoted.join(u','),
                                                                 QStringList(columns.size(), u"?"_s).join(u','));
    for (const Sale& sale : sales) {
        const QHash<QString, QString> byColumn {
            { u"交易年"_s, sale.year },         { u"交易月"_s, sale.month }, { u"交易日"_s, sale.day },
            { u"交易药品名"_s, sale.medicine }, { u"产地"_s, sale.maker },   { u"数量"_s, sale.quantity },
            { u"单价"_s, sale.unitPrice },      { u"金额"_s, sale.amount },  { u"单位"_s, sale.unit },
            { u"规格"_s, sale.spec },
        };
        QVariantList values;
        for (const QString& column : columns)
            values << byColumn.value(column, u""_s);
        QVERIFY2(scratch.db().exec(sql, values), qPrintable(scratch.db().lastError()));
    }
}

void storeMedicines(testsupport::ScratchDatabase& scratch, int count)
{
    for (int i = 0; i < count; ++i) {
        QVERIFY2(scratch.db().exec(u"INSERT INTO \"药品\" (\"名称\", \"代号\") VALUES (?, ?)"_s,
                                   { u"药品%1"_s.arg(i), u"Y%1"_s.arg(i) }),
                 qPrintable(scratch.db().lastError()));
    }
}

} // namespace statisticstests
