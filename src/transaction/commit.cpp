#include "transaction/commit.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/numbers.h"
#include "store/statements.h"
#include "transaction/derived_values.h"
#include "transaction/serial_number.h"

#include <QSqlError>
#include <QSqlQuery>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

/** Appends the lines in use, in line order, with one prepared statement. */
bool appendLines(platform::Database& database, const WorkingSet& set, const QString& unit, const QDate& saleDate)
{
    const QStringList columns = store::transactionTableColumns();
    QStringList quoted;
    for (const QString& column : columns)
        quoted << platform::quoteIdentifier(column);
    QSqlQuery insert
        = database.prepare(u"INSERT INTO "_s + store::engineTable(database, unit) + u" ("_s + quoted.join(u',')
                           + u") VALUES ("_s + QStringList(columns.size(), u"?"_s).join(u',') + u")"_s);
    for (int i = 1; i <= lineCapacity; ++i) {
        const Line& line = set.TransactionLines[static_cast<size_t>(i)];
        if (line.name.isEmpty())
            continue;
        for (const QString& value : transactionRecord(line, saleDate))
            insert.addBindValue(value.isNull() ? u""_s : value);
        if (!insert.exec()) {
            database.noteError(insert.lastError().text());
            return false;
        }
    }
    return true;
}

} // namespace

QStringList transactionRecord(const Line& line, const QDate& saleDate)
{
    QStringList record;
    for (const QString& column : store::transactionTableColumns()) {
        if (column == u"交易年")
            record << store::NumText(saleDate.year());
        else if (column == u"交易月")
            record << store::NumText(saleDate.month());
        else if (column == u"交易日")
            record << store::NumText(saleDate.day());
        else if (column == u"交易药品名")
            record << line.name;
        else if (column == u"产地")
            record << line.maker;
        else if (column == u"数量")
            record << line.quantity;
        else if (column == u"单价")
            record << line.unitPrice;
        else if (column == u"金额")
            record << line.amount;
        else if (column == u"批号")
            record << line.batchNo;
        else if (column == u"有效期")
            record << line.expiry;
        else if (column == u"单位")
            record << line.unit;
        else if (column == u"规格")
            record << line.spec;
        else
            record << QString();
    }
    return record;
}

FinishResult finishSale(platform::Database& database, WorkingSet& set, const FinishRequest& request)
{
    using Problem = FinishResult::Problem;
    FinishResult result;
    if (request.appendsLines) {
        if (request.unit.isEmpty()) {
            result.problem = Problem::NoUnit;
            return result;
        }
        if (!store::tableExists(database, request.unit)) {
            result.problem = Problem::UnitTableMissing;
            return result;
        }
    }

    // Worked out on a copy: the working set takes the sale only once it is in the database.
    auto finished = std::make_unique<WorkingSet>(set);
    result.firstRefusedRow = StoreFilledRows(*finished, request.rows, request.purchasePrices).firstRefusedRow;
    TallyTypes(*finished);
    TotalAndWords(*finished);

    platform::Transaction transaction(database);
    if (!transaction.isActive()) {
        result.problem = Problem::WriteFailed;
        return result;
    }
    switch (takeSerialNumber(database, finished->SerialText)) {
    case SerialOutcome::Taken:
        break;
    case SerialOutcome::Missing:
        result.problem = Problem::SerialMissing;
        return result;
    case SerialOutcome::WriteFailed:
        result.problem = Problem::WriteFailed;
        return result;
    }
    finished->CustomerUnit = request.unit;
    if (request.appendsLines && !appendLines(database, *finished, request.unit, request.saleDate)) {
        result.problem = Problem::WriteFailed;
        return result;
    }
    if (!transaction.commit()) {
        result.problem = Problem::WriteFailed;
        return result;
    }
    finished->StoredFlag = request.storedFlag;
    set = *finished;
    return result;
}

QString finishProblemMessage(FinishResult::Problem problem)
{
    switch (problem) {
    case FinishResult::Problem::None:
        return {};
    case FinishResult::Problem::NoUnit:
        return u"请选择购货单位!"_s;
    case FinishResult::Problem::UnitTableMissing:
        return u"找不到该单位的交易表，本次交易未保存，请检查数据库！"_s;
    case FinishResult::Problem::SerialMissing:
        return u"找不到流水号记录，本次交易未保存，请检查数据库！"_s;
    case FinishResult::Problem::WriteFailed:
        return u"数据库写入失败，本次交易未保存，请检查数据库！"_s;
    }
    return {};
}

} // namespace transaction
