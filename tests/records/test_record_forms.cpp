#include "catalogue_fixture.h"
#include "records/medicine_add_window.h"
#include "records/medicine_modify_window.h"
#include "records/unit_add_window.h"
#include "records/unit_modify_window.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using records::Unit;
using store::Medicine;

namespace {

/** The add and modify windows of the catalogue and of the unit register. */
enum class Form { AddMedicine, ModifyMedicine, AddUnit, ModifyUnit };

QWidget* load(Form form, platform::Database& db)
{
    switch (form) {
    case Form::AddMedicine:
        return new records::MedicineAddWindow(db);
    case Form::ModifyMedicine:
        return new records::MedicineModifyWindow(db);
    case Form::AddUnit:
        return new records::UnitAddWindow(db);
    case Form::ModifyUnit:
        break;
    }
    return new records::UnitModifyWindow(db);
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : u"<none>"_s;
}

} // namespace

Q_DECLARE_METATYPE(Form)

/** What the four add and modify windows share: where the keyboard lands, and boxes whose limit binds typing only. */
class TestRecordForms final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keysGoToTheFirstBox_data();
    void keysGoToTheFirstBox();
    void storedTextsKeepTheirLength_data();
    void storedTextsKeepTheirLength();

private:
    std::unique_ptr<testsupport::WindowFixture> m_f;
};

void TestRecordForms::init()
{
    m_f = std::make_unique<testsupport::WindowFixture>();
}

void TestRecordForms::cleanup()
{
    QString problem;
    const bool done = m_f->finish(&problem);
    m_f.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestRecordForms::keysGoToTheFirstBox_data()
{
    QTest::addColumn<Form>("form");
    QTest::addColumn<QStringList>("enterOrder");

    QTest::newRow("addnewM") << Form::AddMedicine << QStringList { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s,
                                                                   u"Text5"_s, u"Text6"_s, u"Text8"_s, u"Text7"_s };
    QTest::newRow("modiM") << Form::ModifyMedicine << QStringList { u"Text1"_s, u"Text5"_s,  u"Text4"_s,  u"Text6"_s,
                                                                    u"Text2"_s, u"Text12"_s, u"Text15"_s, u"Text10"_s };
    QTest::newRow("addnewcom") << Form::AddUnit << QStringList { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s,
                                                                 u"Text5"_s, u"Text6"_s, u"Text7"_s };
    QTest::newRow("modicom") << Form::ModifyUnit << QStringList { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s,
                                                                  u"Text5"_s, u"Text6"_s, u"Text12"_s };
}

void TestRecordForms::keysGoToTheFirstBox()
{
    QFETCH(Form, form);
    QFETCH(QStringList, enterOrder);

    m_f->open(load(form, m_f->scratch().db()));
    QCOMPARE(focusName(), enterOrder.first());
    // typed at once, as the window comes up
    QTest::keyClicks(QApplication::focusWidget(), u"ab"_s);
    QCOMPARE(m_f->text(enterOrder.first()), u"ab"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);

    // Tab goes the way Enter does, then to the buttons
    QStringList tabbed { focusName() };
    for (qsizetype i = 0; i <= enterOrder.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        tabbed << focusName();
    }
    QCOMPARE(tabbed, enterOrder + QStringList({ u"Command1"_s, u"Command2"_s }));
}

void TestRecordForms::storedTextsKeepTheirLength_data()
{
    QTest::addColumn<Form>("form");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("longest");

    QTest::newRow("modiM 生产厂家") << Form::ModifyMedicine << u"Text5"_s << 50;
    QTest::newRow("modiM 规格") << Form::ModifyMedicine << u"Text6"_s << 20;
    QTest::newRow("modicom 地址") << Form::ModifyUnit << u"Text3"_s << 50;
    QTest::newRow("modicom 电话") << Form::ModifyUnit << u"Text4"_s << 15;
}

void TestRecordForms::storedTextsKeepTheirLength()
{
    QFETCH(Form, form);
    QFETCH(QString, box);
    QFETCH(int, longest);

    QString stored;
    for (int i = 0; i < longest + 10; ++i)
        stored += QChar(u'0' + i % 10);
    const QString name = u"长名"_s;
    Medicine medicine { name, u"C1"_s, u"华北制药"_s, u"10片"_s, u"盒"_s, u"12.50"_s, u"9.80"_s, u"片剂"_s };
    Unit unit { name, u"王明"_s, u"解放路12号"_s, u"5551234"_s, u"5551235"_s, u"050000"_s, u"A"_s, u"super"_s, {} };
    const bool isMedicine = form == Form::ModifyMedicine;
    QString& field = isMedicine ? (box == u"Text5" ? medicine.maker : medicine.spec)
                                : (box == u"Text3" ? unit.address : unit.phone);
    field = stored;
    if (isMedicine)
        recordtests::storeMedicines(m_f->scratch(), { medicine });
    else
        recordtests::storeUnit(m_f->scratch(), unit);

    m_f->open(load(form, m_f->scratch().db()));
    m_f->type(u"Text1"_s, name);
    m_f->pressEnter(u"Text1"_s);
    QCOMPARE(m_f->text(box), stored);

    // Untouched, the text goes back as it was stored.
    m_f->dialogs().expect(isMedicine ? u"修改成功!"_s : u"单位档案修改成功!"_s);
    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    if (isMedicine)
        QCOMPARE(recordtests::storedMedicines(m_f->scratch()), QList<Medicine> { medicine });
    else
        QCOMPARE(recordtests::storedUnits(m_f->scratch()), QList<Unit> { unit });

    // Typing never makes it longer, and what is typed anew keeps to the limit.
    m_f->open(load(form, m_f->scratch().db()));
    m_f->type(u"Text1"_s, name);
    m_f->pressEnter(u"Text1"_s);
    auto* edit = m_f->control<QLineEdit>(box);
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, u"x"_s);
    QCOMPARE(edit->text(), stored);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, u"x"_s);
    QCOMPARE(edit->text(), stored.mid(1));
    m_f->type(box, stored);
    QCOMPARE(edit->text(), stored.left(longest));
    m_f->dialogs().expect(isMedicine ? u"修改成功!"_s : u"单位档案修改成功!"_s);
    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    field = stored.left(longest);
    if (isMedicine)
        QCOMPARE(recordtests::storedMedicines(m_f->scratch()), QList<Medicine> { medicine });
    else
        QCOMPARE(recordtests::storedUnits(m_f->scratch()), QList<Unit> { unit });
}

QTEST_MAIN(TestRecordForms)
#include "test_record_forms.moc"
