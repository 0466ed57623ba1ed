// Several order desks finishing 10-line sales at the same moment against one PostgreSQL database, each on its own
// connection: sales per second, the median and 99th-percentile finish time, duplicate serial numbers and lines
// lost, for 1, 4, 16 and 32 desks, beside one desk on a useall.mdb file.
//   bench_clerks postgresql://user@host/db [seconds per run, default 10]
#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/sale_date_index.h"
#include "store/schema.h"
#include "store/statements.h"
#include "transaction/commit.h"
#include "transaction/working_set.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace transaction;

namespace {

const QString unit = u"压测药房"_s;

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

PageRows tenLines()
{
    PageRows rows;
    for (int i = 0; i < rowsPerPage; ++i) {
        Line& row = rows[static_cast<size_t>(i)];
        row.purchasePrice = u"1.00"_s;
        row.name = u"药品%1"_s.arg(i);
        row.quantity = u"2"_s;
        row.unitPrice = u"1.50"_s;
        row.amount = u"3.00"_s;
        row.drugType = u"片剂"_s;
    }
    return rows;
}

struct DeskFigures
{
    QList<double> finishMs;
    QStringList serials;
    int failed = 0;
};

std::optional<qint64> lineCount(platform::Database& db)
{
    QSqlQuery query = db.prepare(u"SELECT count(*) FROM "_s + store::engineTable(db, unit));
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toLongLong();
}

bool prepare(platform::Database& db)
{
    const auto tables = store::tableNames(db);
    if (!tables)
        return false;
    if (tables->isEmpty() && !store::createDeliveredContent(db))
        return false;
    return store::tableExists(db, unit) || store::createTransactionTable(db, unit);
}

void run(const QString& location, int desks, int seconds)
{
    platform::Database control(location);
    const auto before = lineCount(control);
    if (!before) {
        out() << u"cannot count the lines: "_s << control.lastError() << Qt::endl;
        return;
    }
    QList<DeskFigures> figures(desks);
    std::atomic<int> ready { 0 };
    std::atomic<bool> go { false };
    QList<QThread*> threads;
    for (int d = 0; d < desks; ++d) {
        threads << QThread::create([&, d] {
            platform::Database desk(location);
            FinishRequest request;
            request.rows = tenLines();
            request.unit = unit;
            request.saleDate = QDate(2026, 12, 11);
            ++ready;
            while (!go.load())
                QThread::yieldCurrentThread();
            QElapsedTimer runTime;
            runTime.start();
            while (runTime.elapsed() < seconds * 1000) {
                WorkingSet set;
                QElapsedTimer finish;
                finish.start();
                const FinishResult result = finishSale(desk, set, request);
                const double ms = double(finish.nsecsElapsed()) / 1e6;
                if (!result.succeeded()) {
                    ++figures[d].failed;
                    continue;
                }
                figures[d].finishMs << ms;
                figures[d].serials << set.SerialText;
            }
        });
        threads.last()->start();
    }
    while (ready.load() < desks)
        QThread::msleep(1);
    go = true;
    for (QThread* thread : threads) {
        thread->wait();
        delete thread;
    }
    QList<double> all;
    QStringList serials;
    int failed = 0;
    for (const DeskFigures& f : figures) {
        all << f.finishMs;
        serials << f.serials;
        failed += f.failed;
    }
    std::sort(all.begin(), all.end());
    const qsizetype duplicates = serials.size() - QSet<QString>(serials.cbegin(), serials.cend()).size();
    const auto after = lineCount(control);
    const qint64 lost = after ? qint64(all.size()) * rowsPerPage - (*after - *before) : -1;
    const auto at = [&all](double q) {
        return all.isEmpty() ? 0.0 : all.at(std::min<qsizetype>(all.size() - 1, qsizetype(q * all.size())));
    };
    out() << u"%1 desk(s): %2 sales/s, median %3 ms, p99 %4 ms, duplicate serials %5, lines lost %6, failed %7"_s
                 .arg(desks, 2)
                 .arg(double(all.size()) / seconds, 0, 'f', 1)
                 .arg(at(0.5), 0, 'f', 2)
                 .arg(at(0.99), 0, 'f', 2)
                 .arg(duplicates)
                 .arg(lost)
                 .arg(failed)
          << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString url = app.arguments().value(1);
    const int seconds = app.arguments().value(2, u"10"_s).toInt();
    if (url.isEmpty() || seconds <= 0) {
        out() << u"usage: bench_clerks postgresql://user@host/db [seconds per run]"_s << Qt::endl;
        return 2;
    }
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(u"useall.mdb"_s);
    {
        platform::Database single(file);
        if (!prepare(single)) {
            out() << u"cannot prepare "_s << file << u": "_s << single.lastError() << Qt::endl;
            return 1;
        }
    }
    out() << u"useall.mdb, "_s;
    run(file, 1, seconds);
    {
        platform::Database server(url);
        if (!server.isOpen() || !prepare(server)) {
            out() << u"cannot prepare "_s << url << u": "_s << server.lastError() << Qt::endl;
            return 1;
        }
    }
    for (const int desks : { 1, 4, 16, 32 }) {
        out() << u"server, "_s;
        run(url, desks, seconds);
    }
    return 0;
}
