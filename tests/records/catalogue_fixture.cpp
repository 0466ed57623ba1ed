#include "catalogue_fixture.h"

#include "platform/database.h"
#include "store/statements.h"
#include "support/scratch_database.h"

#include <QSqlQuery>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace recordtests {

void storeMedicines(testsupport::ScratchDatabase& scratch, const QList<store::Medicine>& medicines)
{
    for (const store::Medicine& m : medicines) {
        QVERIFY2(scratch.db().exec(u"INSERT INTO 药品 (名称, 代号, 生产厂家, 规格, 单位, 单价, 进价, 类型) "
                                   u"VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s,
                                   { m.name, m.code, m.maker, m.spec, m.unit, m.unitPrice, m.purchasePrice, m.type }),
                 qPrintable(scratch.db().lastError()));
    }
}

QList<store::Medicine> storedMedicines(testsupport::ScratchDatabase& scratch)
{
    QList<store::Medicine> medicines;
    QSqlQuery query
        = scratch.db().prepare(u"SELECT 名称, 代号, 生产厂家, 规格, 单位, 单价, 进价, 类型 FROM 药品 ORDER BY rowid"_s);
    if (!query.exec())
        return medicines;
    while (query.next()) {
        medicines << store::Medicine { query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                                       query.value(3).toString(), query.value(4).toString(), query.value(5).toString(),
                                       query.value(6).toString(), query.value(7).toString() };
    }
    return medicines;
}

void storeUnit(testsupport::ScratchDatabase& scratch, const records::Unit& u)
{
    QVERIFY2(
        scratch.db().exec(u"INSERT INTO 单位 (单位名称, 责任人, 地址, 电话, 传真, 邮编, 信誉度, 加入人, 加入时间) "
                          u"VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                          { u.name, u.person, u.address, u.phone, u.fax, u.postcode, u.credit, u.addedBy, u.addedOn }),
        qPrintable(scratch.db().lastError()));
    QVERIFY(store::createTable(scratch.db(), u.name, store::transactionTableColumns()));
    QVERIFY(store::createTable(scratch.db(), u.name + u"1"_s, store::companionTableColumns()));
}

QList<records::Unit> storedUnits(testsupport::ScratchDatabase& scratch)
{
    QList<records::Unit> units;
    for (const QStringList& row : scratch.rows(u"单位"_s))
        units << records::Unit { row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8] };
    return units;
}

QStringList tableNames(testsupport::ScratchDatabase& scratch)
{
    QStringList names;
    QSqlQuery query = scratch.db().prepare(u"SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"_s);
    if (!query.exec())
        return names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

void refuseWrites(testsupport::ScratchDatabase& scratch, const QString& table, const QString& kind)
{
    QVERIFY2(
        scratch.db().exec(u"CREATE TRIGGER refuse_%1 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'refused'); END"_s.arg(
            kind, platform::quoteIdentifier(table))),
        qPrintable(scratch.db().lastError()));
}

} // namespace recordtests
