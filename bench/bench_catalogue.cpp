#include "bench_catalogue.h"

#include "platform/database.h"

#include <QSqlQuery>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace bench {

namespace {
constexpr int distinctNames = 33'334;
}

QString medicineName(int i)
{
    return u"药品%1"_s.arg(i % distinctNames, 5, 10, QLatin1Char('0'));
}

QString medicineCode(int i)
{
    return u"Yp%1"_s.arg(i, 6, 10, QLatin1Char('0'));
}

bool fillCatalogue(platform::Database& db)
{
    platform::Transaction transaction(db);
    QSqlQuery insert = db.prepare(
        u"INSERT INTO \"药品\" (\"名称\",\"代号\",\"生产厂家\",\"规格\",\"单位\",\"单价\",\"进价\",\"类型\") "
        u"VALUES (?,?,?,?,?,?,?,?)"_s);
    static const QStringList types { u"片剂"_s, u"针剂"_s, u"器械"_s, u"其它"_s };
    for (int i = 0; i < medicineCount; ++i) {
        insert.addBindValue(medicineName(i));
        insert.addBindValue(medicineCode(i));
        insert.addBindValue(u"制药厂%1"_s.arg(i % 500));
        insert.addBindValue(u"0.25g*24"_s);
        insert.addBindValue(u"盒"_s);
        insert.addBindValue(u"%1.50"_s.arg(i % 90 + 1));
        insert.addBindValue(u"%1.00"_s.arg(i % 90 + 1));
        insert.addBindValue(types.at(i % types.size()));
        if (!insert.exec())
            return false;
    }
    return transaction.commit();
}

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

} // namespace bench
