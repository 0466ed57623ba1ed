#include "store/bound_recordset.h"
#include "support/scratch_database.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using store::BoundRecordset;
using store::Criterion;

namespace {

const QString medicines = u"药品"_s;
const QString name = u"名称"_s;
const QString code = u"代号"_s;
const QString price = u"单价"_s;

Criterion byName(const QString& value)
{
    return { name, value };
}

} // namespace

class TestBoundRecordset final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void textRoundTrip_data();
    void textRoundTrip();
    void criteria_data();
    void criteria();
    void unknownFieldFailsFind();
    void findForwardKeepsLastMatch();
    void findBackwardKeepsFirstMatch();
    void movesPastEnds();
    void emptyTable();
    void missingTable();
    void repointingAtMissingTableCloses();
    void addNewAppendsAndRestoresCurrent();
    void editWritesOnlyCurrentRecord();
    void cancelUpdateDropsPending();
    void pendingFailures();
    void removeKeepsShownValues();
    void appendAfterRemovingLastIsReachable();
    void appendRecordInOneStep();
    void refreshSeesOtherSourcesAppends();
    void columnNamedRowidKeepsStoredOrder();

private:
    /** A catalogue of three medicines, the first and third with the same name. */
    void createCatalogue();

    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
};

void TestBoundRecordset::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>();
}

void TestBoundRecordset::cleanup()
{
    m_scratch.reset();
}

void TestBoundRecordset::createCatalogue()
{
    m_scratch->createTable(medicines, { name, code, price },
                           { { u"阿莫西林"_s, u"AMXL"_s, u"12.50"_s },
                             { u"板蓝根"_s, u"BLG"_s, u"3.00"_s },
                             { u"阿莫西林"_s, u"AMXL2"_s, u"13.00"_s } });
}

void TestBoundRecordset::textRoundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("stored year") << u" 2003"_s;
    QTest::newRow("price with trailing zero") << u"12.50"_s;
    QTest::newRow("leading zeros") << u"007"_s;
    QTest::newRow("exponent-like") << u"1e3"_s;
    QTest::newRow("empty") << u""_s;
    QTest::newRow("trailing space") << u"片剂 "_s;
    QTest::newRow("quotes") << u"O'Brien \"the\" 'x'"_s;
    QTest::newRow("Chinese") << u"华康医药有限公司"_s;
}

// Values are text: nothing may turn " 2003" into 2003 or "12.50" into 12.5 on the way in or out.
void TestBoundRecordset::textRoundTrip()
{
    QFETCH(QString, text);
    m_scratch->createTable(medicines, { name, code, price });
    BoundRecordset source(m_scratch->db(), medicines);
    QVERIFY2(source.isOpen(), qPrintable(source.lastError()));

    QVERIFY(source.addNew());
    QVERIFY(source.setValue(name, u"added"_s));
    QVERIFY(source.setValue(price, text));
    QVERIFY2(source.update(), qPrintable(source.lastError()));
    QVERIFY2(source.appendRecord({ name, price }, { u"appended"_s, text }), qPrintable(source.lastError()));

    BoundRecordset reader(m_scratch->db(), medicines);
    QCOMPARE(reader.value(price), std::optional<QString>(text));
    QVERIFY(reader.moveNext());
    QCOMPARE(reader.value(price), std::optional<QString>(text));
    QCOMPARE(reader.findAll({ price, text }).size(), 2);
    QCOMPARE(m_scratch->rows(medicines),
             (QList<QStringList> { { u"added"_s, QString(), text }, { u"appended"_s, QString(), text } }));
    QCOMPARE(reader.allRecords(), m_scratch->rows(medicines));
}

void TestBoundRecordset::criteria_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("same text") << u"Orsvan"_s << QStringList { u"Orsvan"_s };
    QTest::newRow("lower case finds mixed case") << u"orsvan"_s << QStringList { u"Orsvan"_s };
    QTest::newRow("upper case finds mixed case") << u"ORSVAN"_s << QStringList { u"Orsvan"_s };
    QTest::newRow("single quote") << u"O'Brien"_s << QStringList { u"O'Brien"_s };
    QTest::newRow("SQL text") << u"x' OR '1'='1"_s << QStringList { u"x' OR '1'='1"_s };
    QTest::newRow("bracket") << u"a]b"_s << QStringList { u"a]b"_s };
    QTest::newRow("percent is a character") << u"50%"_s << QStringList { u"50%"_s };
    QTest::newRow("percent matches nothing else") << u"5%"_s << QStringList {};
    QTest::newRow("underscore is a character") << u"a_c"_s << QStringList { u"a_c"_s };
    QTest::newRow("leading space counts") << u" 5"_s << QStringList { u" 5"_s };
    QTest::newRow("no leading space") << u"5"_s << QStringList { u"5"_s };
    QTest::newRow("trailing space counts") << u"5 "_s << QStringList {};
    QTest::newRow("Chinese exact") << u"阿莫西林"_s << QStringList { u"阿莫西林"_s };
    QTest::newRow("Chinese prefix matches nothing") << u"阿莫"_s << QStringList {};
    QTest::newRow("full-width letters keep their case") << u"ａｂ"_s << QStringList {};
    QTest::newRow("empty text") << u""_s << QStringList { u""_s };
}

void TestBoundRecordset::criteria()
{
    QFETCH(QString, value);
    QFETCH(QStringList, found);
    QList<QStringList> rows;
    for (const QString& stored : { u"Orsvan"_s, u"O'Brien"_s, u"x' OR '1'='1"_s, u"a]b"_s, u"50%"_s, u"abc"_s, u"a_c"_s,
                                   u" 5"_s, u"5"_s, u"阿莫西林"_s, u"阿莫西林胶囊"_s, u"ＡＢ"_s, u""_s })
        rows << QStringList { stored, u"code "_s + stored };
    m_scratch->createTable(medicines, { name, code }, rows);
    BoundRecordset source(m_scratch->db(), medicines);
    QVERIFY(source.moveLast());

    source.findFirst(byName(value));
    QCOMPARE(source.noMatch(), found.isEmpty());
    // Without a match the last record, whose name is empty, stays current.
    QCOMPARE(source.value(code), u"code "_s + (found.isEmpty() ? QString() : found.first()));

    QStringList all;
    for (const QStringList& record : source.findAll(byName(value)))
        all << record.first();
    QCOMPARE(all, found);
}

void TestBoundRecordset::unknownFieldFailsFind()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    QVERIFY(source.moveNext());

    source.findFirst({ u"生产厂家"_s, u"x"_s });
    QVERIFY(source.noMatch());
    QVERIFY(!source.lastError().isEmpty());
    QCOMPARE(source.value(code), u"BLG"_s);
    QVERIFY(source.findAll({ u"名称\" OR 1=1 --"_s, u"x"_s }).isEmpty());

    // Field names follow the database: Latin letter case does not matter.
    m_scratch->createTable(u"user"_s, { u"username"_s, u"userpassword"_s }, { { u"Orsvan"_s, u"p"_s } });
    QVERIFY(source.setRecordSource(u"USER"_s));
    source.findFirst({ u"UserName"_s, u"orsvan"_s });
    QVERIFY(!source.noMatch());
    QCOMPARE(source.value(u"USERPASSWORD"_s), u"p"_s);
}

void TestBoundRecordset::findForwardKeepsLastMatch()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    QSignalSpy changed(&source, &BoundRecordset::currentChanged);

    source.findFirst(byName(u"阿莫西林"_s));
    QVERIFY(!source.noMatch());
    QCOMPARE(source.value(code), u"AMXL"_s);
    source.findNext(byName(u"阿莫西林"_s));
    QVERIFY(!source.noMatch());
    QCOMPARE(source.value(code), u"AMXL2"_s);
    QCOMPARE(changed.count(), 2);

    source.findNext(byName(u"阿莫西林"_s));
    QVERIFY(source.noMatch());
    QCOMPARE(source.value(code), u"AMXL2"_s);
    QCOMPARE(changed.count(), 2);

    source.findFirst(byName(u"没有"_s));
    QVERIFY(source.noMatch());
    QCOMPARE(source.value(code), u"AMXL2"_s);
}

void TestBoundRecordset::findBackwardKeepsFirstMatch()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);

    source.findLast(byName(u"阿莫西林"_s));
    QCOMPARE(source.value(code), u"AMXL2"_s);
    source.findPrevious(byName(u"阿莫西林"_s));
    QVERIFY(!source.noMatch());
    QCOMPARE(source.value(code), u"AMXL"_s);
    source.findPrevious(byName(u"阿莫西林"_s));
    QVERIFY(source.noMatch());
    QCOMPARE(source.value(code), u"AMXL"_s);

    // From the place of a removed record the search goes on in both directions.
    QVERIFY(source.moveNext());
    QVERIFY(source.remove());
    source.findPrevious(byName(u"阿莫西林"_s));
    QCOMPARE(source.value(code), u"AMXL"_s);
    QVERIFY(source.moveNext());
    QVERIFY(source.remove());
    source.findNext(byName(u"阿莫西林"_s));
    QVERIFY(source.noMatch());
    QVERIFY(!source.hasCurrent());
}

void TestBoundRecordset::movesPastEnds()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    QSignalSpy changed(&source, &BoundRecordset::currentChanged);
    QCOMPARE(source.recordCount(), 3);
    QCOMPARE(source.value(code), u"AMXL"_s);

    QVERIFY(source.movePrevious());
    QVERIFY(!source.hasCurrent());
    QCOMPARE(source.value(code), std::nullopt);
    QCOMPARE(source.shownValues(), QStringList(3, QString()));
    QVERIFY(!source.movePrevious());
    QVERIFY(source.moveNext());
    QCOMPARE(source.value(code), u"AMXL"_s);

    QVERIFY(source.moveLast());
    QCOMPARE(source.value(code), u"AMXL2"_s);
    QVERIFY(source.moveNext());
    QVERIFY(!source.hasCurrent());
    QVERIFY(!source.moveNext());
    QVERIFY(source.movePrevious());
    QCOMPARE(source.value(code), u"AMXL2"_s);

    QVERIFY(source.moveToPosition(2));
    QCOMPARE(source.value(code), u"BLG"_s);
    QVERIFY(!source.moveToPosition(4));
    QCOMPARE(source.value(code), u"BLG"_s);
    QCOMPARE(changed.count(), 6);
}

void TestBoundRecordset::emptyTable()
{
    m_scratch->createTable(medicines, { name, code });
    BoundRecordset source(m_scratch->db(), medicines);
    QVERIFY(source.isOpen());
    QVERIFY(!source.hasCurrent());
    QCOMPARE(source.recordCount(), 0);
    QVERIFY(!source.moveFirst());
    QVERIFY(!source.moveLast());
    QVERIFY(!source.lastError().isEmpty());
    source.findFirst(byName(u""_s));
    QVERIFY(source.noMatch());
}

void TestBoundRecordset::missingTable()
{
    BoundRecordset source(m_scratch->db(), u"没有此表"_s);
    QVERIFY(!source.isOpen());
    QVERIFY(!source.lastError().isEmpty());
    QVERIFY(!source.moveFirst());
    QVERIFY(!source.addNew());
    source.findFirst(byName(u"x"_s));
    QVERIFY(source.noMatch());

    BoundRecordset unset(m_scratch->db());
    QVERIFY(!unset.isOpen());
    QVERIFY(!unset.refresh());
}

// A window that re-points its source at a unit that has no table must not go on writing into the previous one.
void TestBoundRecordset::repointingAtMissingTableCloses()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    QSignalSpy changed(&source, &BoundRecordset::currentChanged);

    QVERIFY(!source.setRecordSource(u"没有此表"_s));
    QVERIFY(!source.isOpen());
    QCOMPARE(source.table(), u"没有此表"_s);
    QVERIFY(!source.hasCurrent());
    QCOMPARE(changed.count(), 1);
    QVERIFY(!source.appendRecord({ name }, { u"x"_s }));
    QCOMPARE(m_scratch->rows(medicines).size(), 3);

    QVERIFY(source.setRecordSource(medicines));
    QCOMPARE(source.value(code), u"AMXL"_s);
}

void TestBoundRecordset::addNewAppendsAndRestoresCurrent()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    QVERIFY(source.moveNext());
    QSignalSpy changed(&source, &BoundRecordset::currentChanged);

    QVERIFY(source.addNew());
    QCOMPARE(source.mode(), BoundRecordset::Mode::Adding);
    QCOMPARE(source.value(code), QString());
    QCOMPARE(source.shownValues(), QStringList(3, QString()));
    QVERIFY(source.setValue(name, u"维生素C"_s));
    QVERIFY(source.setValue(code, u"WSSC"_s));
    QVERIFY(!source.setValue(u"生产厂家"_s, u"x"_s));
    QVERIFY2(source.update(), qPrintable(source.lastError()));

    QCOMPARE(source.mode(), BoundRecordset::Mode::None);
    QCOMPARE(source.value(code), u"BLG"_s);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(m_scratch->rows(medicines).last(), (QStringList { u"维生素C"_s, u"WSSC"_s, QString() }));
    QVERIFY(source.moveLast());
    QCOMPARE(source.value(code), u"WSSC"_s);
    QCOMPARE(source.recordCount(), 4);
}

void TestBoundRecordset::editWritesOnlyCurrentRecord()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    source.findLast(byName(u"阿莫西林"_s));

    QVERIFY(source.edit());
    QCOMPARE(source.mode(), BoundRecordset::Mode::Editing);
    QCOMPARE(source.value(price), u"13.00"_s);
    QVERIFY(source.setValue(price, u"14.00"_s));
    QCOMPARE(source.shownValues(), (QStringList { u"阿莫西林"_s, u"AMXL2"_s, u"14.00"_s }));
    QVERIFY2(source.update(), qPrintable(source.lastError()));

    QCOMPARE(source.mode(), BoundRecordset::Mode::None);
    QCOMPARE(source.value(price), u"14.00"_s);
    QCOMPARE(m_scratch->rows(medicines),
             (QList<QStringList> { { u"阿莫西林"_s, u"AMXL"_s, u"12.50"_s },
                                   { u"板蓝根"_s, u"BLG"_s, u"3.00"_s },
                                   { u"阿莫西林"_s, u"AMXL2"_s, u"14.00"_s } }));
}

void TestBoundRecordset::cancelUpdateDropsPending()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    const QList<QStringList> before = m_scratch->rows(medicines);
    QSignalSpy changed(&source, &BoundRecordset::currentChanged);

    QVERIFY(source.edit());
    QVERIFY(source.setValue(price, u"99"_s));
    source.cancelUpdate();
    QCOMPARE(source.mode(), BoundRecordset::Mode::None);
    QCOMPARE(source.value(price), u"12.50"_s);
    QCOMPARE(changed.count(), 1);

    QVERIFY(source.addNew());
    QVERIFY(source.setValue(name, u"x"_s));
    source.cancelUpdate();
    QCOMPARE(source.shownValues(), before.first());
    QCOMPARE(changed.count(), 3);

    source.cancelUpdate();
    QCOMPARE(changed.count(), 3);
    QVERIFY(!source.update());
    QCOMPARE(m_scratch->rows(medicines), before);
}

void TestBoundRecordset::pendingFailures()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);

    QVERIFY(!source.update());
    QVERIFY(!source.lastError().isEmpty());
    QVERIFY(!source.setValue(name, u"x"_s));

    QVERIFY(source.moveLast());
    QVERIFY(source.moveNext());
    QVERIFY(!source.edit());
    QCOMPARE(source.mode(), BoundRecordset::Mode::None);
    QVERIFY(!source.remove());
    QCOMPARE(source.recordCount(), 3);

    // A move leaves the record being edited, and its changes with it.
    QVERIFY(source.moveFirst());
    QVERIFY(source.edit());
    QVERIFY(source.setValue(price, u"0"_s));
    QVERIFY(source.moveNext());
    QCOMPARE(source.mode(), BoundRecordset::Mode::None);
    QVERIFY(!source.update());
    QCOMPARE(m_scratch->rows(medicines).first().last(), u"12.50"_s);
}

void TestBoundRecordset::removeKeepsShownValues()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    QVERIFY(source.moveNext());
    QSignalSpy changed(&source, &BoundRecordset::currentChanged);

    QVERIFY2(source.remove(), qPrintable(source.lastError()));
    QVERIFY(!source.hasCurrent());
    QCOMPARE(source.value(name), std::nullopt);
    QCOMPARE(source.shownValues(), (QStringList { u"板蓝根"_s, u"BLG"_s, u"3.00"_s }));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_scratch->rows(medicines).size(), 2);
    QCOMPARE(source.recordCount(), 2);

    QVERIFY(source.moveNext());
    QCOMPARE(source.value(code), u"AMXL2"_s);
    QVERIFY(source.remove());
    QVERIFY(source.movePrevious());
    QCOMPARE(source.value(code), u"AMXL"_s);
}

// The database numbers a record appended after the last one was removed with the removed record's number.
void TestBoundRecordset::appendAfterRemovingLastIsReachable()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    QVERIFY(source.moveLast());
    QVERIFY(source.remove());

    QVERIFY(source.addNew());
    QVERIFY(source.setValue(code, u"NEW"_s));
    QVERIFY(source.update());
    QVERIFY(!source.hasCurrent());
    QVERIFY(source.moveNext());
    QCOMPARE(source.value(code), u"NEW"_s);
}

void TestBoundRecordset::appendRecordInOneStep()
{
    createCatalogue();
    BoundRecordset source(m_scratch->db(), medicines);
    QSignalSpy changed(&source, &BoundRecordset::currentChanged);

    QVERIFY2(source.appendRecord({ code, name }, { u"GMS"_s, u"甘草"_s }), qPrintable(source.lastError()));
    QCOMPARE(source.value(code), u"GMS"_s);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_scratch->rows(medicines).last(), (QStringList { u"甘草"_s, u"GMS"_s, QString() }));
    QVERIFY(source.moveNext());
    QVERIFY(!source.hasCurrent());

    QVERIFY(!source.appendRecord({ code, u"没有"_s }, { u"a"_s, u"b"_s }));
    QVERIFY(!source.appendRecord({ code, name }, { u"a"_s }));
    QCOMPARE(m_scratch->rows(medicines).size(), 4);
}

void TestBoundRecordset::refreshSeesOtherSourcesAppends()
{
    createCatalogue();
    BoundRecordset reader(m_scratch->db(), medicines);
    BoundRecordset writer(m_scratch->db(), medicines);
    QVERIFY(reader.moveLast());
    QVERIFY(writer.appendRecord({ name }, { u"甘草"_s }));

    QSignalSpy changed(&reader, &BoundRecordset::currentChanged);
    QVERIFY(reader.refresh());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(reader.value(code), u"AMXL"_s);
    QVERIFY(reader.moveLast());
    QCOMPARE(reader.value(name), u"甘草"_s);

    m_scratch->createTable(u"单位"_s, { u"单位名称"_s }, { { u"城南诊所"_s } });
    QVERIFY(reader.setRecordSource(u"单位"_s));
    QCOMPARE(reader.fields(), QStringList { u"单位名称"_s });
    QCOMPARE(reader.value(u"单位名称"_s), u"城南诊所"_s);
    QCOMPARE(reader.value(name), std::nullopt);
}

void TestBoundRecordset::columnNamedRowidKeepsStoredOrder()
{
    m_scratch->createTable(u"t"_s, { u"rowid"_s, u"oid"_s }, { { u"9"_s, u"a"_s }, { u"1"_s, u"b"_s } });
    BoundRecordset source(m_scratch->db(), u"t"_s);
    QVERIFY2(source.isOpen(), qPrintable(source.lastError()));
    QCOMPARE(source.value(u"oid"_s), u"a"_s);
    QVERIFY(source.moveNext());
    QCOMPARE(source.value(u"oid"_s), u"b"_s);
    QCOMPARE(source.allRecords(), (QList<QStringList> { { u"9"_s, u"a"_s }, { u"1"_s, u"b"_s } }));
}

QTEST_GUILESS_MAIN(TestBoundRecordset)
#include "test_bound_recordset.moc"
