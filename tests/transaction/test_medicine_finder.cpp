#include "store/bound_recordset.h"
#include "support/scratch_database.h"
#include "transaction/medicine_finder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using store::Medicine;
using transaction::MedicineFinder;

namespace {

Medicine medicine(const QString& name, const QString& code, const QString& maker, const QString& mnemonic = {})
{
    Medicine m;
    m.name = name;
    m.code = code;
    m.maker = maker;
    m.mnemonic = mnemonic;
    return m;
}

/** In stored order. Codes of their own only where given; the others are found by the codes their names give. */
QList<Medicine> catalogue()
{
    return {
        medicine(u"复方阿莫西林"_s, u"FF1"_s, u"联邦制药"_s), // FFAMXL
        medicine(u"阿莫西林胶囊"_s, u"A01"_s, u"华北制药"_s), // AMXLJN
        medicine(u"VC银翘片"_s, u"VCYQ"_s, u"阿莫制药"_s), // VCYQP
        medicine(u"阿莫西林颗粒"_s, u"AMX02"_s, u"石药集团"_s), // AMXLKL
        medicine(u"维生素B6片"_s, u"B6"_s, u"华中药业"_s), // WSSB6P
        medicine(u"甘草片"_s, u"AMX"_s, u"同仁堂"_s), // GCP
        medicine(u"长春西汀"_s, u"C1"_s, u"吉林敖东"_s, u"CCXT"_s), // corrected from ZCXT
    };
}

QStringList namesFound(MedicineFinder& finder, const QString& typed)
{
    QStringList names;
    for (const qsizetype i : finder.find(typed))
        names << finder.medicine(i).name;
    return names;
}

} // namespace

class TestMedicineFinder final : public QObject
{
    Q_OBJECT

private slots:
    void order_data();
    void order();
    void narrowingAgreesWithAFreshSearch_data();
    void narrowingAgreesWithAFreshSearch();
    void readsTheCatalogue();
};

void TestMedicineFinder::order_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");

    const QStringList amx { u"甘草片"_s, u"阿莫西林胶囊"_s, u"阿莫西林颗粒"_s, u"复方阿莫西林"_s };
    // 甘草片's 代号 is the text; the two 阿莫西林 start their codes with it (one by 助记码, one by 代号 too),
    // 复方阿莫西林 only contains it
    QTest::newRow("initials: exact, prefix, contained") << u"AMX"_s << amx;
    QTest::newRow("initials in lower case") << u"amx"_s << amx;
    QTest::newRow("initials full-width, blanks around") << u" ＡＭＸ "_s << amx;
    QTest::newRow("one letter") << u"c"_s << QStringList { u"长春西汀"_s, u"VC银翘片"_s, u"甘草片"_s };
    // the name's start before its inside, and a maker's match last
    QTest::newRow("name part") << u"阿莫"_s
                               << QStringList { u"阿莫西林胶囊"_s, u"阿莫西林颗粒"_s, u"复方阿莫西林"_s,
                                                u"VC银翘片"_s };
    QTest::newRow("inside names only, stored order")
        << u"西林"_s << QStringList { u"复方阿莫西林"_s, u"阿莫西林胶囊"_s, u"阿莫西林颗粒"_s };
    QTest::newRow("Latin and digit of a name") << u"b6"_s << QStringList { u"维生素B6片"_s };
    QTest::newRow("代号 prefix") << u"vcy"_s << QStringList { u"VC银翘片"_s };
    QTest::newRow("代号 inside is no match") << u"MX0"_s << QStringList {};
    QTest::newRow("maker") << u"集团"_s << QStringList { u"阿莫西林颗粒"_s };
    QTest::newRow("corrected code") << u"CCX"_s << QStringList { u"长春西汀"_s };
    QTest::newRow("code before the correction") << u"ZCX"_s << QStringList {};
    QTest::newRow("nothing typed: all, stored order")
        << u""_s << QStringList { u"复方阿莫西林"_s, u"阿莫西林胶囊"_s, u"VC银翘片"_s, u"阿莫西林颗粒"_s,
                                  u"维生素B6片"_s,   u"甘草片"_s,       u"长春西汀"_s };
}

void TestMedicineFinder::order()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    MedicineFinder finder;
    finder.setMedicines(catalogue());
    QCOMPARE(namesFound(finder, typed), found);
}

void TestMedicineFinder::narrowingAgreesWithAFreshSearch_data()
{
    QTest::addColumn<QStringList>("keystrokes");
    QTest::newRow("typing on") << QStringList { u"A"_s, u"AM"_s, u"AMX"_s, u"AMXL"_s };
    QTest::newRow("a backspace widens again") << QStringList { u"AMX"_s, u"AMXK"_s, u"AMX"_s, u"AM"_s };
    QTest::newRow("text replaced") << QStringList { u"西林"_s, u"阿莫"_s, u"阿莫西"_s };
    QTest::newRow("from nothing") << QStringList { u""_s, u"V"_s, u"VC"_s };
}

void TestMedicineFinder::narrowingAgreesWithAFreshSearch()
{
    QFETCH(QStringList, keystrokes);
    MedicineFinder typing;
    typing.setMedicines(catalogue());
    for (const QString& text : keystrokes) {
        MedicineFinder fresh;
        fresh.setMedicines(catalogue());
        QCOMPARE(namesFound(typing, text), namesFound(fresh, text));
    }
}

void TestMedicineFinder::readsTheCatalogue()
{
    testsupport::ScratchDatabase scratch(true);
    // a medicine of a database whose codes were not filled yet is found by its name's code
    QVERIFY(scratch.db().exec(u"INSERT INTO \"药品\" (\"名称\", \"代号\", \"单价\", \"助记码\") VALUES "
                              u"(?, 'C1', '3.00', 'CCXT'), (?, 'G1', '1.00', NULL)"_s,
                              { u"长春西汀"_s, u"甘草片"_s }));
    store::BoundRecordset source(scratch.db(), u"药品"_s);
    MedicineFinder finder;
    QVERIFY(finder.load(source));
    QCOMPARE(finder.size(), 2);
    QCOMPARE(finder.medicine(0).unitPrice, u"3.00"_s);
    QCOMPARE(namesFound(finder, u"ccxt"_s), QStringList { u"长春西汀"_s });
    QCOMPARE(namesFound(finder, u"gcp"_s), QStringList { u"甘草片"_s });

    store::BoundRecordset missing(scratch.db(), u"没有这个表"_s);
    QVERIFY(!finder.load(missing));
    QCOMPARE(finder.size(), 0);
}

QTEST_GUILESS_MAIN(TestMedicineFinder)
#include "test_medicine_finder.moc"
