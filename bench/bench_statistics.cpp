// Times the sales statistics on real volumes: 200 units with 50,000 sale lines each, ten million records in all.
// The monthly and yearly totals over all units and one unit's total of all time are timed as the statistics windows
// compute them, and the same sums are written out as hand-made SQL for the sqlite3 shell, to be run on the same file
// for comparison:
//
//     sqlite3 FILE < FILE.month.sql      (likewise .year.sql and .unit.sql)
//
// Targets: within 1.5 times the hand-made query, and the monthly total under one second. The sales chart of a year
// (its monthly totals beside the year before's, and the units and medicines ranked over the year) is timed as the
// chart window works it out, with the target of one second for all of it.
//
// The database file is built once (a few minutes) and reused while it exists: bench_statistics [FILE], by default
// bench_statistics.mdb in the working directory.

#include "platform/database.h"
#include "statistics/chart_figures.h"
#include "statistics/registers.h"
#include "statistics/sales_sums.h"
#include "store/database_transfer.h"
#include "store/engine_sql.h"
#include "store/numbers.h"
#include "store/sale_date_index.h"
#include "store/schema.h"
#include "store/statements.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <functional>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int unitCount = 200;
constexpr int linesPerUnit = 50'000;
constexpr int firstYear = 2000;
constexpr int years = 5;
constexpr int repetitions = 5;

const statistics::SalePeriod month { u" 2003"_s, u" 5"_s };
const statistics::SalePeriod year { u" 2003"_s, {} };

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QString unitName(int i)
{
    return u"单位%1"_s.arg(i, 3, 10, QLatin1Char('0'));
}

const QString oneUnit = unitName(unitCount / 2);

/** The processor time of this thread, so that a busy machine shows as the gap to the wall time. */
qint64 cpuNanoseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

/**
 * The lines of one unit, in the order a unit's sales are stored: by date, spread evenly over five years, about 830
 * lines a month. Amounts are two-decimal texts as the entry windows write them.
 */
bool fillUnit(sqlite3* handle, sqlite3_stmt* insert, int unit)
{
    const QDate start(firstYear, 1, 1);
    const qint64 days = start.daysTo(QDate(firstYear + years, 1, 1));
    for (int i = 0; i < linesPerUnit; ++i) {
        const QDate day = start.addDays(qint64(i) * days / linesPerUnit);
        const int quantity = 1 + (i * 7 + unit) % 40;
        const int cents = 100 + (i * 131 + unit * 17) % 9900;
        const QByteArray fields[] = {
            store::NumText(day.year()).toUtf8(),
            store::NumText(day.month()).toUtf8(),
            store::NumText(day.day()).toUtf8(),
            u"药品%1"_s.arg((i * 37 + unit) % 3000, 4, 10, QLatin1Char('0')).toUtf8(),
            u"制药厂%1"_s.arg(i % 500).toUtf8(),
            QByteArray::number(quantity),
            QByteArray::number(cents / 100) + '.' + QByteArray::number(cents % 100).rightJustified(2, '0'),
            QByteArray::number(quantity * cents / 100) + '.'
                + QByteArray::number(quantity * cents % 100).rightJustified(2, '0'),
            QByteArray("B") + QByteArray::number(i % 9000 + 1000),
            QByteArray::number(day.year() + 3) + '-' + QByteArray::number(day.month()),
            u"盒"_s.toUtf8(),
            QByteArrayLiteral("0.25g*24"),
        };
        for (int f = 0; f < 12; ++f)
            sqlite3_bind_text(insert, f + 1, fields[f].constData(), int(fields[f].size()), SQLITE_TRANSIENT);
        if (sqlite3_step(insert) != SQLITE_DONE) {
            out() << u"insert failed: "_s << QString::fromUtf8(sqlite3_errmsg(handle)) << Qt::endl;
            return false;
        }
        sqlite3_reset(insert);
    }
    return true;
}

bool build(const QString& path)
{
    const QString building = path + u".new"_s;
    QFile::remove(building);
    QString error;
    if (!store::createDeliveredDatabase(building, &error)) {
        out() << u"cannot create the database: "_s << error << Qt::endl;
        return false;
    }
    bool built = false;
    {
        platform::Database db(building);
        // The file is rebuilt from nothing after a crash, so the build need not wait for the disk.
        db.exec(u"PRAGMA synchronous=OFF"_s);
        sqlite3* handle = db.handle();
        built = db.isOpen() && handle;
        for (int unit = 0; built && unit < unitCount; ++unit) {
            const QString name = unitName(unit);
            platform::Transaction transaction(db);
            built = transaction.isActive() && db.exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { name })
                && store::createTransactionTable(db, name)
                && store::createTable(db, name + u"1"_s, store::companionTableColumns());
            if (!built)
                break;
            const QByteArray sql
                = u"INSERT INTO %1 VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"_s.arg(platform::quoteIdentifier(name)).toUtf8();
            sqlite3_stmt* insert = nullptr;
            built = sqlite3_prepare_v2(handle, sql.constData(), -1, &insert, nullptr) == SQLITE_OK
                && fillUnit(handle, insert, unit);
            sqlite3_finalize(insert);
            built = built && transaction.commit();
            if (unit % 20 == 19)
                out() << u"  %1 of %2 units filled\n"_s.arg(unit + 1).arg(unitCount) << Qt::flush;
        }
        if (!built)
            out() << u"cannot fill the database: "_s << db.lastError() << Qt::endl;
    }
    if (built && !QFile::rename(building, path)) {
        out() << u"cannot rename %1"_s.arg(building) << Qt::endl;
        built = false;
    }
    if (!built)
        QFile::remove(building);
    return built;
}

/** The same sum written by hand: every unit's matching amounts in one UNION ALL, cast to numbers and added. */
QString handQuery(const QStringList& units, const QString& where)
{
    QStringList parts;
    for (const QString& unit : units) {
        QString part = u"SELECT \"金额\" FROM "_s + platform::quoteIdentifier(unit);
        if (!where.isEmpty())
            part += u" WHERE "_s + where;
        parts << part;
    }
    return u"SELECT SUM(CAST(\"金额\" AS REAL)) FROM ("_s + parts.join(u" UNION ALL "_s) + u");"_s;
}

void writeScript(const QString& path, const QString& query)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QTextStream script(&file);
    script << u".timer on\n"_s;
    for (int i = 0; i < repetitions; ++i)
        script << query << u"\n"_s;
}

void time(const QString& what, const std::function<std::optional<double>()>& sum)
{
    QList<double> wall;
    QList<double> cpu;
    std::optional<double> value;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = cpuNanoseconds();
        value = sum();
        wall << double(timer.nsecsElapsed()) / 1e6;
        cpu << double(cpuNanoseconds() - cpuStart) / 1e6;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    out() << what.leftJustified(34)
          << u" median of %1 runs: wall %2 ms (best %3), cpu %4 ms"_s.arg(repetitions)
                 .arg(wall.at(repetitions / 2), 0, 'f', 1)
                 .arg(wall.first(), 0, 'f', 1)
                 .arg(cpu.at(repetitions / 2), 0, 'f', 1)
          << u"   sum "_s << (value ? QString::number(*value, 'f', 2) : u"failed"_s) << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // --database URL: the same figures on a server, filled once from the file
    QStringList arguments = app.arguments().mid(1);
    QString server;
    if (const qsizetype at = arguments.indexOf(u"--database"_s); at >= 0) {
        server = arguments.value(at + 1);
        arguments.remove(at, 2);
    }
    const QString path = arguments.value(0, u"bench_statistics.mdb"_s);
    if (!QFileInfo::exists(path)) {
        out() << u"building %1: %2 units with %3 sale lines each\n"_s.arg(path).arg(unitCount).arg(linesPerUnit)
              << Qt::flush;
        QElapsedTimer building;
        building.start();
        if (!build(path))
            return 1;
        out() << u"built in %1 s\n"_s.arg(building.elapsed() / 1000);
    }

    if (!server.isEmpty()) {
        platform::Database file(path);
        platform::Database target(server);
        const auto tables = store::tableNames(target);
        if (!tables) {
            out() << u"cannot open %1: %2"_s.arg(server, target.lastError()) << Qt::endl;
            return 1;
        }
        if (tables->isEmpty()) {
            out() << u"copying %1 onto %2\n"_s.arg(path, server) << Qt::flush;
            QElapsedTimer copying;
            copying.start();
            const store::TransferResult copied = store::copyDatabase(file, target, store::TargetTables::MustBeEmpty);
            if (!copied.copied) {
                out() << u"cannot copy: "_s << copied.error << Qt::endl;
                return 1;
            }
            out() << u"copied in %1 s\n"_s.arg(copying.elapsed() / 1000);
        }
    }
    const QString location = server.isEmpty() ? path : server;
    platform::Database db(location);
    if (!db.isOpen()) {
        out() << u"cannot open %1: %2"_s.arg(location, db.lastError()) << Qt::endl;
        return 1;
    }
    const QStringList units = statistics::unitNames(db).value_or(QStringList());
    out() << u"%1: %2 units\n"_s.arg(path).arg(units.size());
    if (units.size() != unitCount)
        return 1;

    // A total that had to leave a unit out counts as failed here: the figures compared would not be alike.
    const auto overallTotal = [&db, &units](const statistics::SalePeriod& period) -> std::optional<double> {
        const auto overall = statistics::overallSum(db, units, period);
        if (!overall || !overall->skipped.isEmpty())
            return std::nullopt;
        return overall->total;
    };
    time(u"monthly total, all units, 2003/5"_s, [&] { return overallTotal(month); });
    time(u"yearly total, all units, 2003"_s, [&] { return overallTotal(year); });
    time(u"all-time total of %1"_s.arg(oneUnit), [&] { return statistics::allTimeSum(db, oneUnit); });

    const auto chartYear = [&db, &units](const statistics::SalePeriod& ranked) -> std::optional<double> {
        const auto months = statistics::monthlyTotals(db, units, year.year);
        const auto before = statistics::monthlyTotals(db, units, statistics::previousYear(year.year));
        const auto unitRanks = statistics::unitRanking(db, units, ranked, 20);
        const auto medicineRanks = statistics::medicineRanking(db, units, ranked, 20);
        if (!months || !before || !unitRanks || !medicineRanks || !unitRanks->skipped.isEmpty())
            return std::nullopt;
        return unitRanks->total;
    };
    time(u"sales chart of 2003, ranked by year"_s, [&] { return chartYear(year); });
    time(u"sales chart of 2003, ranked by 2003/5"_s, [&] { return chartYear(month); });
    time(u"  monthly totals of 2003"_s, [&]() -> std::optional<double> {
        const auto months = statistics::monthlyTotals(db, units, year.year);
        return months ? std::optional(months->months[4]) : std::nullopt;
    });
    time(u"  units ranked over 2003"_s, [&]() -> std::optional<double> {
        const auto ranks = statistics::unitRanking(db, units, year, 20);
        return ranks ? std::optional(ranks->total) : std::nullopt;
    });
    time(u"  medicines ranked over 2003"_s, [&]() -> std::optional<double> {
        const auto ranks = statistics::medicineRanking(db, units, year, 20);
        return ranks ? std::optional(ranks->total) : std::nullopt;
    });

    if (!server.isEmpty())
        return 0; // the hand-made queries are written for the sqlite3 shell
    const QString monthQuery = handQuery(units, u"\"交易年\" = ' 2003' AND \"交易月\" = ' 5'"_s);
    const QString yearQuery = handQuery(units, u"\"交易年\" = ' 2003'"_s);
    const QString unitQuery = handQuery({ oneUnit }, {});
    // The hand-made queries once more on this connection, for a comparison free of the shell's own costs.
    const auto handSum = [&db](const QString& sql) -> std::optional<double> {
        QSqlQuery query = db.prepare(sql);
        if (!query.exec() || !query.next())
            return std::nullopt;
        return query.value(0).toDouble();
    };
    time(u"hand-made monthly query"_s, [&] { return handSum(monthQuery); });
    time(u"hand-made yearly query"_s, [&] { return handSum(yearQuery); });
    time(u"hand-made query of %1"_s.arg(oneUnit), [&] { return handSum(unitQuery); });

    writeScript(path + u".month.sql"_s, monthQuery);
    writeScript(path + u".year.sql"_s, yearQuery);
    writeScript(path + u".unit.sql"_s, unitQuery);
    out() << u"hand-made queries for the sqlite3 shell: %1.month.sql, %1.year.sql, %1.unit.sql\n"_s.arg(path);
    return 0;
}
