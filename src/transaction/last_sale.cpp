#include "transaction/last_sale.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/last_sale_index.h"
#include "store/numbers.h"
#include "store/table_names.h"

#include <QDate>
#include <QSqlQuery>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

int wholeNumber(const QString& text)
{
    const double value = store::NumValue(text);
    return value >= 0 && value <= 9999 ? static_cast<int>(value) : 0;
}

QString dateText(const QString& year, const QString& month, const QString& day)
{
    const QDate date(wholeNumber(year), wholeNumber(month), wholeNumber(day));
    if (date.isValid())
        return date.toString(u"yyyy-MM-dd"_s);
    return QStringList { year.trimmed(), month.trimmed(), day.trimmed() }.join(u'-');
}

} // namespace

LastSale lastSale(platform::Database& database, const QString& unit, const QString& medicine)
{
    LastSale sale;
    sale.outcome = LastSale::Outcome::Unreadable;
    if (!store::isBareTableName(unit))
        return sale;
    const QString table = store::engineTable(database, unit);
    // The latest year first, through the index; then that year's lines of the medicine, which are few. The columns
    // are named through the table, so a table without them is an error, not a comparison with their names' texts.
    QSqlQuery query = database.prepare(
        u"SELECT sale.\"交易月\", sale.\"交易日\", sale.\"单价\", sale.\"数量\", sale.\"交易年\" FROM %1 AS sale "
        "WHERE sale.\"交易药品名\" = ? AND sale.\"交易年\" = (SELECT latest.\"交易年\" FROM %1 AS latest "
        "WHERE latest.\"交易药品名\" = ? ORDER BY latest.\"交易年\" DESC LIMIT 1) ORDER BY sale.%2"_s.arg(
            table, store::storedOrderTerm(database)));
    query.addBindValue(medicine);
    query.addBindValue(medicine);
    if (!query.exec())
        return sale;
    sale.outcome = LastSale::Outcome::Never;
    int latestMonth = -1;
    int latestDay = -1;
    while (query.next()) {
        const int month = wholeNumber(query.value(0).toString());
        const int day = wholeNumber(query.value(1).toString());
        // a later line of the same day is the later sale
        if (month < latestMonth || (month == latestMonth && day < latestDay))
            continue;
        latestMonth = month;
        latestDay = day;
        sale.outcome = LastSale::Outcome::Found;
        sale.date = dateText(query.value(4).toString(), query.value(0).toString(), query.value(1).toString());
        sale.unitPrice = query.value(2).toString();
        sale.quantity = query.value(3).toString();
    }
    return sale;
}

bool prepareLastSales(platform::Database& database, const QString& unit)
{
    return store::ensureLastSaleIndex(database, unit);
}

QString lastSaleText(const LastSale& sale)
{
    switch (sale.outcome) {
    case LastSale::Outcome::Found:
        return u"上次: %1 单价 %2 数量 %3"_s.arg(sale.date, sale.unitPrice, sale.quantity);
    case LastSale::Outcome::Never:
        return u"未曾售给该单位"_s;
    case LastSale::Outcome::Unreadable:
        return u"上次销售无法读取"_s;
    }
    return {};
}

} // namespace transaction
