// Times the catalogue lookups of the entry windows on a catalogue of 100,000 medicines. Every find must stay well
// under a millisecond, which holds only while the lookups are answered by the NOCASE indexes of the delivered
// database; the unindexed find at the end shows what a scan costs.
//
// Then the find list (F2) on a catalogue of 100,000 medicines with names as a wholesaler's: the list that follows each
// key must be there within one frame at 60 Hz (16 ms), for 助记码 of one, two and four letters and for two characters
// of a name, both in the search alone and in the list window (on the offscreen platform unless another is set).

#include "bench_catalogue.h"
#include "find_catalogue.h"
#include "platform/database.h"
#include "store/bound_recordset.h"
#include "store/mnemonic.h"
#include "store/mnemonic_column.h"
#include "store/schema.h"
#include "transaction/find_list_window.h"
#include "transaction/medicine_finder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
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

struct Keystrokes
{
    QString what;
    int letters = 0; ///< of the 助记码; 0 for two characters of the name
};

/** What the clerk types for the medicine: the first letters of its 助记码, or two characters from its name's middle. */
QString typedFor(const QString& name, const Keystrokes& keys)
{
    if (keys.letters > 0)
        return store::mnemonicOf(name).left(keys.letters);
    return name.size() >= 4 ? name.mid(1, 2) : name.left(2);
}

/** Medicines spread over the catalogue whose 助记码 is long enough for every case. */
QList<int> findTargets(int count)
{
    QList<int> targets;
    for (int i = 0; targets.size() < count; ++i) {
        const int medicine = int((qint64(i) * 7919) % bench::medicineCount);
        if (store::mnemonicOf(bench::namedMedicine(medicine)).size() >= 4)
            targets << medicine;
    }
    return targets;
}

struct KeystrokeTimes
{
    double meanMs = 0;
    double worstMs = 0;
    qint64 found = 0; ///< entries of the last keystroke's list, summed over the targets
};

/**
 * Types the text key by key after an empty box, for every target, timing each keystroke with `keystroke`, which
 * returns the entries listed.
 */
KeystrokeTimes timeTyping(const QList<int>& targets, const Keystrokes& keys, const std::function<void()>& clear,
                          const std::function<qsizetype(const QString&)>& keystroke)
{
    KeystrokeTimes times;
    int strokes = 0;
    double total = 0;
    for (const int target : targets) {
        const QString text = typedFor(bench::namedMedicine(target), keys);
        clear();
        qsizetype found = 0;
        for (qsizetype length = 1; length <= text.size(); ++length) {
            QElapsedTimer timer;
            timer.start();
            found = keystroke(text.left(length));
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            total += ms;
            times.worstMs = std::max(times.worstMs, ms);
            ++strokes;
        }
        times.found += found;
    }
    times.meanMs = strokes > 0 ? total / strokes : 0;
    return times;
}

void reportKeystrokes(const QString& what, const KeystrokeTimes& times, int targets)
{
    out() << what.leftJustified(52) << QString::number(times.meanMs, 'f', 2).rightJustified(8) << u" ms mean"_s
          << QString::number(times.worstMs, 'f', 2).rightJustified(8) << u" ms worst"_s
          << u"  (%1 entries on average)"_s.arg(times.found / std::max(1, targets))
          << (times.worstMs < 16.0 ? QString() : u"  OVER 16 ms"_s) << Qt::endl;
}

int benchFindList(const QString& folder)
{
    const QString path = QDir(folder).filePath(u"named.mdb"_s);
    QString error;
    if (!store::createDeliveredDatabase(path, &error)) {
        out() << u"cannot create the database: "_s << error << Qt::endl;
        return 1;
    }
    platform::Database db(path);
    // the catalogue of a database made before there were codes
    if (!db.isOpen() || !db.exec(u"ALTER TABLE \"药品\" DROP COLUMN \"助记码\""_s) || !bench::fillNamedCatalogue(db)) {
        out() << u"cannot fill the named catalogue: "_s << db.lastError() << Qt::endl;
        return 1;
    }
    out() << u"\nfind list over %1 medicines with names such as %2, %3, %4\n"_s.arg(bench::medicineCount)
                 .arg(bench::namedMedicine(1), bench::namedMedicine(2), bench::namedMedicine(20));
    QElapsedTimer filling;
    filling.start();
    if (!store::addMnemonicCodes(db)) {
        out() << u"cannot fill the codes: "_s << db.lastError() << Qt::endl;
        return 1;
    }
    out() << u"助记码 of every medicine filled (first use of an old database) in %1 ms\n"_s.arg(filling.elapsed());

    store::BoundRecordset catalogue(db, u"药品"_s);
    transaction::MedicineFinder finder;
    QElapsedTimer loading;
    loading.start();
    if (!finder.load(catalogue)) {
        out() << u"cannot read the catalogue: "_s << catalogue.lastError() << Qt::endl;
        return 1;
    }
    out() << u"catalogue read for the list (each F2) in %1 ms\n"_s.arg(loading.elapsed());

    const QList<int> targets = findTargets(200);
    const Keystrokes cases[] = { { u"1-letter 助记码"_s, 1 },
                                 { u"2-letter 助记码"_s, 2 },
                                 { u"4-letter 助记码"_s, 4 },
                                 { u"2-character name part"_s, 0 } };
    out() << u"search alone, each keystroke (%1 medicines typed for):\n"_s.arg(targets.size());
    for (const Keystrokes& keys : cases) {
        reportKeystrokes(u"  "_s + keys.what,
                         timeTyping(
                             targets, keys, [&] { finder.find(QString()); },
                             [&](const QString& text) { return finder.find(text).size(); }),
                         int(targets.size()));
    }

    // The list window as the entry windows have it: the box keeps the keyboard, the list follows its text.
    QWidget owner;
    auto* box = new QLineEdit(&owner);
    transaction::FindListWindow list(catalogue, &owner);
    list.attach(box, 1);
    owner.show();
    box->setFocus();
    QElapsedTimer opening;
    opening.start();
    list.openFor(1);
    QApplication::processEvents();
    out() << u"list window opened (F2, catalogue read included) in %1 ms\n"_s.arg(opening.elapsed());
    auto* view = list.findChild<QAbstractItemView*>(u"FindView"_s);
    out() << u"list window, each keystroke until the list is drawn:\n"_s;
    for (const Keystrokes& keys : cases) {
        reportKeystrokes(u"  "_s + keys.what,
                         timeTyping(
                             targets, keys,
                             [&] {
                                 box->clear();
                                 QApplication::processEvents();
                             },
                             [&](const QString& text) {
                                 box->setText(text);
                                 list.repaint();
                                 QApplication::processEvents();
                                 return qsizetype(view ? view->model()->rowCount() : 0);
                             }),
                         int(targets.size()));
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    return benchFindList(dir.path());
}
