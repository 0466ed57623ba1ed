#include "catalogue_fixture.h"
#include "records/medicine_add_window.h"
#include "records/medicine_modify_window.h"
#include "store/mnemonic_column.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using store::Medicine;

namespace {

/** 名称 and 助记码 of every medicine, in stored order. */
QStringList storedCodes(testsupport::ScratchDatabase& scratch)
{
    QStringList codes;
    QSqlQuery query = scratch.db().prepare(u"SELECT \"名称\", \"助记码\" FROM \"药品\" ORDER BY rowid"_s);
    if (!query.exec())
        return { u"<unreadable>"_s };
    while (query.next())
        codes << query.value(0).toString() + u'=' + query.value(1).toString();
    return codes;
}

const Medicine cinepazide { u"长春西汀"_s, u"C1"_s, u"吉林敖东"_s, u"5ml"_s, u"支"_s, u"3.00"_s, u"2.00"_s, u"针剂"_s };

} // namespace

/** The 助记码 box of the add and modify windows, and what it stores. */
class TestMnemonicBoxes final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addWindowCode_data();
    void addWindowCode();
    void correctionInTheModifyWindowIsKept();
    void codeThatCannotBeStoredIsNoSuccess();

private:
    void fillRest(const QString& typeBox = u"Text7"_s);

    std::unique_ptr<testsupport::WindowFixture> m_f;
};

void TestMnemonicBoxes::init()
{
    m_f = std::make_unique<testsupport::WindowFixture>();
}

void TestMnemonicBoxes::cleanup()
{
    QString problem;
    const bool done = m_f->finish(&problem);
    m_f.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestMnemonicBoxes::fillRest(const QString& typeBox)
{
    m_f->type(u"Text5"_s, u"3.00"_s);
    m_f->type(u"Text6"_s, u"2.00"_s);
    m_f->type(typeBox, u"针剂"_s);
}

void TestMnemonicBoxes::addWindowCode_data()
{
    QTest::addColumn<QStringList>("typing"); // "box=text", in the order typed
    QTest::addColumn<QString>("shown"); // the code box before 确 定

    QTest::newRow("follows the name") << QStringList { u"Text1=维生素B6片"_s } << u"WSSB6P"_s;
    QTest::newRow("polyphonic name corrected by hand")
        << QStringList { u"Text1=长春西汀"_s, u"Text9=CCXT"_s } << u"CCXT"_s;
    QTest::newRow("a correction stays when the name changes")
        << QStringList { u"Text1=长春"_s, u"Text9=CC"_s, u"Text1=长春西汀"_s } << u"CC"_s;
    QTest::newRow("an emptied box follows the name again")
        << QStringList { u"Text1=长春"_s, u"Text9=CC"_s, u"Text9="_s, u"Text1=长春西汀"_s } << u"ZCXT"_s;
}

void TestMnemonicBoxes::addWindowCode()
{
    QFETCH(QStringList, typing);
    QFETCH(QString, shown);
    QString name;
    for (const QString& step : typing) {
        if (step.startsWith(u"Text1="_s))
            name = step.section(u'=', 1);
    }
    m_f->open(new records::MedicineAddWindow(m_f->scratch().db()));
    for (const QString& step : typing)
        m_f->type(step.section(u'=', 0, 0), step.section(u'=', 1));
    fillRest();
    QCOMPARE(m_f->text(u"Text9"_s), shown);
    // Enter in the code box goes on to 确 定, as Enter in the last box of the window does
    m_f->pressEnter(u"Text9"_s);
    QCOMPARE(QApplication::focusWidget(), m_f->control<QPushButton>(u"Command1"_s));

    m_f->dialogs().expect(u"新加药品成功!"_s);
    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(storedCodes(m_f->scratch()), QStringList { name + u'=' + shown });
}

void TestMnemonicBoxes::correctionInTheModifyWindowIsKept()
{
    // a medicine of a database made before the codes, which the program's start gave its code
    recordtests::storeMedicines(m_f->scratch(), { cinepazide });
    QVERIFY(store::addMnemonicCodes(m_f->scratch().db()));

    m_f->open(new records::MedicineModifyWindow(m_f->scratch().db()));
    m_f->type(u"Text1"_s, cinepazide.name);
    m_f->pressEnter(u"Text1"_s);
    QCOMPARE(m_f->text(u"Text16"_s), u"ZCXT"_s);
    m_f->type(u"Text16"_s, u"CCXT"_s);
    m_f->dialogs().expect(u"修改成功!"_s);
    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(storedCodes(m_f->scratch()), QStringList { u"长春西汀=CCXT"_s });
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()), QList<Medicine> { cinepazide });

    // the next start writes no code over it, and the window shows it
    QVERIFY(store::addMnemonicCodes(m_f->scratch().db()));
    QCOMPARE(storedCodes(m_f->scratch()), QStringList { u"长春西汀=CCXT"_s });
    m_f->open(new records::MedicineModifyWindow(m_f->scratch().db()));
    m_f->type(u"Text1"_s, cinepazide.name);
    m_f->pressEnter(u"Text1"_s);
    QCOMPARE(m_f->text(u"Text16"_s), u"CCXT"_s);
}

void TestMnemonicBoxes::codeThatCannotBeStoredIsNoSuccess()
{
    // a database made before the codes that could not take them when the program started
    QVERIFY(m_f->scratch().db().exec(u"ALTER TABLE \"药品\" DROP COLUMN \"助记码\""_s));
    m_f->open(new records::MedicineAddWindow(m_f->scratch().db()));
    m_f->type(u"Text1"_s, cinepazide.name);
    fillRest();
    m_f->dialogs().expect(u"新建药品失败!"_s);
    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    QVERIFY(recordtests::storedMedicines(m_f->scratch()).isEmpty());
}

QTEST_MAIN(TestMnemonicBoxes)
#include "test_mnemonic_boxes.moc"
