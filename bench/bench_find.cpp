// Times the catalogue lookups of the entry windows on a catalogue of 100,000 medicines. Every find must stay well
// under a millisecond, which holds only while the lookups are answered by the NOCASE indexes of the delivered
// database; the unindexed find at the end shows what a scan costs.

#include "bench_catalogue.h"
#include "platform/database.h"
#include "store/bound_recordset.h"
#include "store/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>

using namespace Qt::Literals::StringLiterals;
using bench::fillCatalogue;
using bench::medicineCode;
using bench::medicineCount;
using bench::medicineName;
using bench::out;

namespace {

/** Runs a find the given number of times with a different target each time; the microseconds a find. */
double time(int repetitions, const std::function<bool(int)>& find)
{
    QElapsedTimer timer;
    timer.start();
    int failures = 0;
    for (int i = 0; i < repetitions; ++i) {
        if (!find(i))
            ++failures;
    }
    const double micro = double(timer.nsecsElapsed()) / 1000.0 / repetitions;
    if (failures > 0)
        out() << u"  (%1 of %2 finds did not find what they should)\n"_s.arg(failures).arg(repetitions);
    return micro;
}

void report(const QString& what, double micro)
{
    out() << what.leftJustified(52) << QString::number(micro, 'f', 1).rightJustified(10) << u" µs/find"_s
          << (micro < 1000.0 ? QString() : u"  OVER 1 ms"_s) << Qt::endl;
}

void explain(platform::Database& db, const QString& field)
{
    QSqlQuery query = db.prepare(u"EXPLAIN QUERY PLAN SELECT rowid FROM \"药品\" WHERE %1 = ? COLLATE NOCASE AND rowid "
                                 u"> ? ORDER BY rowid LIMIT 1"_s.arg(platform::quoteIdentifier(field)));
    query.addBindValue(u"x"_s);
    query.addBindValue(0);
    if (!query.exec())
        return;
    while (query.next())
        out() << u"  plan for %1: %2\n"_s.arg(field, query.value(3).toString());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(u"useall.mdb"_s);
    QString error;
    if (!store::createDeliveredDatabase(path, &error)) {
        out() << u"cannot create the database: "_s << error << Qt::endl;
        return 1;
    }
    platform::Database db(path);
    QElapsedTimer filling;
    filling.start();
    if (!db.isOpen() || !fillCatalogue(db)) {
        out() << u"cannot fill the catalogue: "_s << db.lastError() << Qt::endl;
        return 1;
    }
    out() << u"catalogue of %1 medicines filled in %2 ms\n"_s.arg(medicineCount).arg(filling.elapsed());
    explain(db, u"名称"_s);
    explain(db, u"代号"_s);

    store::BoundRecordset source(db, u"药品"_s);
    if (!source.isOpen()) {
        out() << u"cannot open the catalogue: "_s << source.lastError() << Qt::endl;
        return 1;
    }
    const int repetitions = 5000;
    // Targets spread over the whole catalogue, so no find is answered from a warm corner of the file alone.
    const auto target = [](int i) {
        return int((qint64(i) * 7919) % medicineCount);
    };

    report(u"findFirst by 名称 (3 matches)"_s, time(repetitions, [&](int i) {
               const QString name = medicineName(target(i));
               source.findFirst({ u"名称"_s, name });
               return !source.noMatch() && source.value(u"名称"_s) == name;
           }));
    report(u"findFirst by 代号, other letter case (1 match)"_s, time(repetitions, [&](int i) {
               source.findFirst({ u"代号"_s, medicineCode(target(i)).toUpper() });
               return !source.noMatch();
           }));
    report(u"findFirst by 名称, no match"_s, time(repetitions, [&](int i) {
               source.findFirst({ u"名称"_s, u"没有%1"_s.arg(i) });
               return source.noMatch();
           }));
    report(u"findFirst, findNext x3 (last fails) by 名称"_s,
           time(repetitions, [&](int i) {
               const QString name = medicineName(target(i));
               source.findFirst({ u"名称"_s, name });
               source.findNext({ u"名称"_s, name });
               source.findNext({ u"名称"_s, name });
               const bool third = !source.noMatch();
               source.findNext({ u"名称"_s, name });
               return third && source.noMatch();
           }) / 4);
    report(u"findAll by 名称 (3 matches)"_s, time(repetitions, [&](int i) {
               return source.findAll({ u"名称"_s, medicineName(target(i)) }).size() == 3;
           }));
    report(u"findAll by 代号 (1 match)"_s, time(repetitions, [&](int i) {
               return source.findAll({ u"代号"_s, medicineCode(target(i)) }).size() == 1;
           }));
    report(u"findLast + findPrevious by 名称"_s,
           time(repetitions, [&](int i) {
               const QString name = medicineName(target(i));
               source.findLast({ u"名称"_s, name });
               source.findPrevious({ u"名称"_s, name });
               return !source.noMatch();
           }) / 2);
    report(u"moveNext"_s, time(repetitions, [&](int) { return source.moveNext() || source.moveFirst(); }));
    report(u"recordCount"_s, time(200, [&](int) { return source.recordCount() == medicineCount; }));
    report(u"findFirst by 生产厂家 (no index: a scan)"_s, time(50, [&](int i) {
               source.findFirst({ u"生产厂家"_s, u"没有%1"_s.arg(i) });
               return source.noMatch();
           }));
    return 0;
}
