#include "platform/database.h"
#include "store/database_check.h"
#include "store/mnemonic.h"
#include "store/mnemonic_column.h"
#include "support/scratch_database.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

/** 名称 and 助记码 of every medicine in stored order; a code that holds no value reads as "<null>". */
QList<QStringList> namesAndCodes(platform::Database& db)
{
    QList<QStringList> rows;
    QSqlQuery query = db.prepare(u"SELECT \"名称\", \"助记码\" FROM \"药品\" ORDER BY rowid"_s);
    if (!query.exec())
        return rows;
    while (query.next())
        rows << QStringList { query.value(0).toString(), query.isNull(1) ? u"<null>"_s : query.value(1).toString() };
    return rows;
}

void insertMedicine(platform::Database& db, const QString& name)
{
    QVERIFY2(db.exec(u"INSERT INTO \"药品\" (\"名称\", \"类型\") VALUES (?, ?)"_s, { name, u"片剂"_s }),
             qPrintable(db.lastError()));
}

/** The catalogue as databases made before there were codes hold it: without the column. */
void makeOld(testsupport::ScratchDatabase& scratch)
{
    QVERIFY2(scratch.db().exec(u"ALTER TABLE \"药品\" DROP COLUMN \"助记码\""_s), qPrintable(scratch.db().lastError()));
}

bool hasCodeColumn(platform::Database& db)
{
    return db.connection().record(u"药品"_s).indexOf(u"助记码"_s) >= 0;
}

} // namespace

class TestMnemonic final : public QObject
{
    Q_OBJECT

private slots:
    void fromName_data();
    void fromName();

    void oldDatabaseGetsItsCodes();
    void codesThereAreKept();
    void failedFillLeavesTheDatabaseAsItWas();
};

void TestMnemonic::fromName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");

    QTest::newRow("Chinese only") << u"阿莫西林胶囊"_s << u"AMXLJN"_s;
    QTest::newRow("Latin letters first") << u"VC银翘片"_s << u"VCYQP"_s;
    QTest::newRow("letter and digit inside") << u"维生素B6片"_s << u"WSSB6P"_s;
    QTest::newRow("lower case Latin") << u"vc银翘片"_s << u"VCYQP"_s;
    QTest::newRow("full-width Latin and digits") << u"ＶＣ银翘片０.５ｇ"_s << u"VCYQP05G"_s;
    QTest::newRow("roman numeral sign") << u"复方甘草片Ⅱ"_s << u"FFGCPII"_s;
    QTest::newRow("punctuation and blanks left out") << u"(复方) 甘草·片-10"_s << u"FFGCP10"_s;
    QTest::newRow("Greek letter left out") << u"α-干扰素"_s << u"GRS"_s;
    // ICU reads 长 as zhang; the trade says chang, and the clerk corrects the code by hand
    QTest::newRow("polyphonic as ICU reads it") << u"长春西汀"_s << u"ZCXT"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestMnemonic::fromName()
{
    QFETCH(QString, name);
    QFETCH(QString, code);
    QCOMPARE(store::mnemonicOf(name), code);
}

void TestMnemonic::oldDatabaseGetsItsCodes()
{
    testsupport::ScratchDatabase scratch(true);
    makeOld(scratch);
    platform::Database& db = scratch.db();
    for (const QString& name : { u"阿莫西林胶囊"_s, u"VC银翘片"_s, u"阿莫西林胶囊"_s })
        insertMedicine(db, name);
    QVERIFY(db.exec(u"INSERT INTO \"药品\" (\"代号\") VALUES ('X1')"_s));
    // the check at start-up and the one of a restore take a database made before the codes
    QVERIFY(store::checkDatabase(db.connection()).sound());

    QVERIFY2(store::addMnemonicCodes(db), qPrintable(db.lastError()));
    QVERIFY(hasCodeColumn(db));
    const QList<QStringList> filled { { u"阿莫西林胶囊"_s, u"AMXLJN"_s },
                                      { u"VC银翘片"_s, u"VCYQP"_s },
                                      { u"阿莫西林胶囊"_s, u"AMXLJN"_s },
                                      { QString(), u"<null>"_s } };
    QCOMPARE(namesAndCodes(db), filled);
    QVERIFY(store::checkDatabase(db.connection()).sound());

    // a medicine added later without a code gets one on the next start
    insertMedicine(db, u"甘草片"_s);
    QVERIFY(store::addMnemonicCodes(db));
    QCOMPARE(namesAndCodes(db), filled + QList<QStringList>({ { u"甘草片"_s, u"GCP"_s } }));
}

void TestMnemonic::codesThereAreKept()
{
    testsupport::ScratchDatabase scratch(true);
    platform::Database& db = scratch.db();
    QVERIFY(db.exec(u"INSERT INTO \"药品\" (\"名称\", \"助记码\") VALUES (?, ?), (?, ?), (?, NULL)"_s,
                    { u"长春西汀"_s, u"CCXT"_s, u"甘草片"_s, QString(u""_s), u"长春西汀"_s }));

    QVERIFY2(store::addMnemonicCodes(db), qPrintable(db.lastError()));
    // the clerk's correction and an emptied code stay; only the record without any code gets the name's
    QCOMPARE(namesAndCodes(db),
             (QList<QStringList> {
                 { u"长春西汀"_s, u"CCXT"_s }, { u"甘草片"_s, QString() }, { u"长春西汀"_s, u"ZCXT"_s } }));
}

void TestMnemonic::failedFillLeavesTheDatabaseAsItWas()
{
    testsupport::ScratchDatabase scratch(true);
    makeOld(scratch);
    platform::Database& db = scratch.db();
    insertMedicine(db, u"阿莫西林胶囊"_s);
    QVERIFY(db.exec(u"CREATE TRIGGER refuse BEFORE UPDATE ON \"药品\" BEGIN SELECT RAISE(ABORT, 'refused'); END"_s));

    QVERIFY(!store::addMnemonicCodes(db));
    QVERIFY(!hasCodeColumn(db));
    QVERIFY(!db.inTransaction());
}

QTEST_GUILESS_MAIN(TestMnemonic)
#include "test_mnemonic.moc"
