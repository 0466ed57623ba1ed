#include "catalogue_fixture.h"
#include "records/catalogue_browse_window.h"
#include "records/medicine_add_window.h"
#include "records/medicine_modify_window.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using platform::Answer;
using store::Medicine;

namespace {

Medicine medicine(const QString& name, const QString& maker, const QString& packing = u"10片"_s)
{
    return { name, u"C"_s + maker, maker, packing, u"盒"_s, u"12.50"_s, u"9.80"_s, u"片剂"_s };
}

} // namespace

class TestCatalogueWindows final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addWindowChecksType_data();
    void addWindowChecksType();
    void addWindowEnterOrderAndCancel();
    void addWindowReportsRefusedRecord();

    void modifyWindowChecksType_data();
    void modifyWindowChecksType();
    void modifyWindowChoosesSecondCandidate();
    void modifyWindowLookups();
    void pricesThatAreNoNumber_data();
    void pricesThatAreNoNumber();

    void browsingOneMedicine_data();
    void browsingOneMedicine();
    void emptyCatalogueClosesWindow_data();
    void emptyCatalogueClosesWindow();
    void findModeWithTwoOfOneName();
    void deletingTheOnlyMedicine();
    void deletingTakesTheMedicineShown();

private:
    void fillAddWindow(const Medicine& m);
    QWidget* focused() const { return QApplication::focusWidget(); }

    std::unique_ptr<testsupport::WindowFixture> m_f;
};

void TestCatalogueWindows::init()
{
    m_f = std::make_unique<testsupport::WindowFixture>();
}

void TestCatalogueWindows::cleanup()
{
    QString problem;
    const bool done = m_f->finish(&problem);
    m_f.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestCatalogueWindows::fillAddWindow(const Medicine& m)
{
    m_f->type(u"Text1"_s, m.name);
    m_f->type(u"Text2"_s, m.maker);
    m_f->type(u"Text3"_s, m.unit);
    m_f->type(u"Text4"_s, m.spec);
    m_f->type(u"Text5"_s, m.unitPrice);
    m_f->type(u"Text6"_s, m.purchasePrice);
    m_f->type(u"Text8"_s, m.code);
    m_f->type(u"Text7"_s, m.type);
}

void TestCatalogueWindows::addWindowChecksType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("片剂") << u"片剂"_s << true;
    QTest::newRow("针剂") << u"针剂"_s << true;
    QTest::newRow("器械") << u"器械"_s << true;
    QTest::newRow("其它") << u"其它"_s << true;
    QTest::newRow("trailing space") << u"片剂 "_s << false;
    QTest::newRow("another word") << u"中药"_s << false;
}

void TestCatalogueWindows::addWindowChecksType()
{
    QFETCH(QString, type);
    QFETCH(bool, accepted);

    m_f->open(new records::MedicineAddWindow(m_f->scratch().db()));
    Medicine typed { u"阿莫西林"_s, u"A01"_s, u"华北制药"_s, u"0.25g*24"_s, u"盒"_s, u"15.00"_s, u"11.20"_s, type };
    fillAddWindow(typed);

    if (!accepted) {
        m_f->dialogs().expect(u"类型输入不正确,请重新输入!"_s);
        m_f->click(u"Command1"_s);
        QVERIFY(m_f->isOpen());
        QCOMPARE(focused(), m_f->control<QLineEdit>(u"Text7"_s));
        QVERIFY(recordtests::storedMedicines(m_f->scratch()).isEmpty());
        typed.type = u"其它"_s;
        m_f->type(u"Text7"_s, typed.type);
    }
    m_f->dialogs().expect(u"新加药品成功!"_s);
    m_f->click(u"Command1"_s);

    QTRY_VERIFY(!m_f->window());
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()), QList<Medicine> { typed });
    QCOMPARE(m_f->logged(),
             (QStringList { u"系统管理员进入录入新药品页面。"_s, u"系统管理员录入阿莫西林药品,成功。"_s }));
}

void TestCatalogueWindows::addWindowEnterOrderAndCancel()
{
    m_f->open(new records::MedicineAddWindow(m_f->scratch().db()));
    const QStringList order { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s,
                              u"Text5"_s, u"Text6"_s, u"Text8"_s, u"Text7"_s };
    for (qsizetype i = 0; i < order.size(); ++i) {
        m_f->type(order[i], u"x"_s);
        m_f->pressEnter(order[i]);
        QWidget* expected = i + 1 < order.size() ? static_cast<QWidget*>(m_f->control<QLineEdit>(order[i + 1]))
                                                 : m_f->control<QPushButton>(u"Command1"_s);
        QCOMPARE(focused(), expected);
    }

    m_f->pressEscape();
    QTRY_VERIFY(!m_f->window());
    QVERIFY(recordtests::storedMedicines(m_f->scratch()).isEmpty());
    QCOMPARE(m_f->logged(), (QStringList { u"系统管理员进入录入新药品页面。"_s, u"系统管理员退出录入新药品页面。"_s }));
}

void TestCatalogueWindows::addWindowReportsRefusedRecord()
{
    recordtests::refuseWrites(m_f->scratch(), u"药品"_s, u"INSERT"_s);
    m_f->open(new records::MedicineAddWindow(m_f->scratch().db()));
    fillAddWindow(medicine(u"维生素C"_s, u"东北制药"_s));
    m_f->dialogs().expect(u"新建药品失败!"_s);
    m_f->click(u"Command1"_s);

    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged().last(), u"系统管理员录入维生素C药品,失败。"_s);
}

void TestCatalogueWindows::modifyWindowChecksType_data()
{
    addWindowChecksType_data();
}

void TestCatalogueWindows::modifyWindowChecksType()
{
    QFETCH(QString, type);
    QFETCH(bool, accepted);

    const Medicine stored = medicine(u"阿莫西林"_s, u"华北制药"_s);
    recordtests::storeMedicines(m_f->scratch(), { stored });
    m_f->open(new records::MedicineModifyWindow(m_f->scratch().db()));
    m_f->type(u"Text1"_s, u"阿莫西林"_s);
    m_f->pressEnter(u"Text1"_s);
    QCOMPARE(m_f->text(u"Text10"_s), u"片剂"_s);
    m_f->type(u"Text10"_s, type);

    if (!accepted) {
        m_f->dialogs().expect(u"类型输入不正确,请重新输入"_s);
        m_f->click(u"Command1"_s);
        QVERIFY(m_f->isOpen());
        QCOMPARE(focused(), m_f->control<QLineEdit>(u"Text10"_s));
        QCOMPARE(recordtests::storedMedicines(m_f->scratch()), QList<Medicine> { stored });
        return;
    }
    m_f->dialogs().expect(u"修改成功!"_s);
    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()).first().type, type);
}

void TestCatalogueWindows::modifyWindowChoosesSecondCandidate()
{
    const Medicine first = medicine(u"感冒灵"_s, u"华润"_s);
    const Medicine second = medicine(u"感冒灵"_s, u"三九药业"_s, u"10g *9袋"_s);
    recordtests::storeMedicines(m_f->scratch(), { first, second });
    m_f->open(new records::MedicineModifyWindow(m_f->scratch().db()));
    auto* candidates = m_f->control<QComboBox>(u"Combo1"_s);
    QVERIFY(candidates && !candidates->isVisible());

    m_f->type(u"Text1"_s, u"感冒灵"_s);
    m_f->pressEnter(u"Text1"_s);
    QCOMPARE(focused(), m_f->control<QLineEdit>(u"Text5"_s));
    QVERIFY(candidates->isVisible());
    QCOMPARE(candidates->count(), 2);
    QCOMPARE(m_f->text(u"Text5"_s), u"华润"_s);

    candidates->setFocus();
    QTest::keyClick(candidates, Qt::Key_Down);
    QCOMPARE(m_f->text(u"Text5"_s), u"三九药业"_s);
    QCOMPARE(m_f->text(u"Text6"_s), u"10g *9袋"_s);
    QCOMPARE(m_f->text(u"Text15"_s), u"C三九药业"_s);

    m_f->type(u"Text2"_s, u"13.00"_s);
    m_f->dialogs().expect(u"修改成功!"_s);
    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    Medicine changed = second;
    changed.unitPrice = u"13.00"_s;
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()), (QList<Medicine> { first, changed }));
    QCOMPARE(m_f->logged(),
             (QStringList { u"系统管理员进入修改药品档案系统。"_s, u"系统管理员修改药品感冒灵档案,成功。"_s }));
}

void TestCatalogueWindows::modifyWindowLookups()
{
    const Medicine stored = medicine(u"阿莫西林"_s, u"华北制药"_s);
    recordtests::storeMedicines(m_f->scratch(), { stored, medicine(u"感冒灵"_s, u"华润"_s) });
    m_f->open(new records::MedicineModifyWindow(m_f->scratch().db()));
    auto* candidates = m_f->control<QComboBox>(u"Combo1"_s);

    // 修改 before any lookup has no medicine to change.
    m_f->type(u"Text10"_s, u"片剂"_s);
    m_f->dialogs().expect(u"无此药品,请重新输入!"_s);
    m_f->click(u"Command1"_s);
    QCOMPARE(focused(), m_f->control<QLineEdit>(u"Text1"_s));

    m_f->type(u"Text1"_s, u"阿莫西林"_s);
    m_f->pressEnter(u"Text1"_s);
    QVERIFY(!candidates->isVisible());
    QCOMPARE(candidates->count(), 1);
    QCOMPARE(m_f->text(u"Text5"_s), u"华北制药"_s);

    // A name no medicine has leaves the boxes as they were and changes nothing on 修改.
    m_f->type(u"Text1"_s, u"青霉素"_s);
    QCOMPARE(candidates->count(), 0);
    m_f->pressEnter(u"Text1"_s);
    QCOMPARE(m_f->text(u"Text5"_s), u"华北制药"_s);
    m_f->type(u"Text5"_s, u"石药集团"_s);
    m_f->dialogs().expect(u"无此药品,请重新输入!"_s);
    m_f->click(u"Command1"_s);
    QVERIFY(m_f->isOpen());
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()).first(), stored);

    m_f->pressEscape();
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged().last(), u"系统管理员退出修改药品档案系统。"_s);
}

void TestCatalogueWindows::pricesThatAreNoNumber_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("message");

    QTest::newRow("addnewM 单价") << true << u"Text5"_s << u"单价输入不正确,请重新输入!"_s;
    QTest::newRow("addnewM 进价") << true << u"Text6"_s << u"进价输入不正确,请重新输入!"_s;
    QTest::newRow("modiM 单价") << false << u"Text2"_s << u"单价输入不正确,请重新输入!"_s;
    QTest::newRow("modiM 进价") << false << u"Text12"_s << u"进价输入不正确,请重新输入!"_s;
}

void TestCatalogueWindows::pricesThatAreNoNumber()
{
    QFETCH(bool, adding);
    QFETCH(QString, box);
    QFETCH(QString, message);

    const Medicine stored = medicine(u"阿莫西林"_s, u"华北制药"_s);
    if (adding) {
        m_f->open(new records::MedicineAddWindow(m_f->scratch().db()));
        fillAddWindow(stored);
    } else {
        recordtests::storeMedicines(m_f->scratch(), { stored });
        m_f->open(new records::MedicineModifyWindow(m_f->scratch().db()));
        m_f->type(u"Text1"_s, stored.name);
        m_f->pressEnter(u"Text1"_s);
    }
    const QList<Medicine> before = recordtests::storedMedicines(m_f->scratch());
    m_f->type(box, u"0.6元"_s);
    m_f->dialogs().expect(message);
    m_f->click(u"Command1"_s);
    QVERIFY(m_f->isOpen());
    QCOMPARE(focused(), m_f->control<QLineEdit>(box));
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()), before);

    m_f->type(box, u"0.6"_s);
    m_f->dialogs().expect(adding ? u"新加药品成功!"_s : u"修改成功!"_s);
    m_f->click(u"Command1"_s);
    QTRY_VERIFY(!m_f->window());
    Medicine expected = stored;
    (box == u"Text5" || box == u"Text2" ? expected.unitPrice : expected.purchasePrice) = u"0.6"_s;
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()), QList<Medicine> { expected });
}

void TestCatalogueWindows::browsingOneMedicine_data()
{
    QTest::addColumn<bool>("deleting");

    QTest::newRow("药品档案查询") << false;
    QTest::newRow("Form3") << true;
}

void TestCatalogueWindows::browsingOneMedicine()
{
    QFETCH(bool, deleting);

    recordtests::storeMedicines(m_f->scratch(), { medicine(u"阿莫西林"_s, u"华北制药"_s) });
    m_f->open(new records::CatalogueBrowseWindow(
        m_f->scratch().db(), deleting ? records::CatalogueView::deletion() : records::CatalogueView::browsing()));
    QCOMPARE(m_f->text(u"Text1"_s), u"阿莫西林"_s);
    QCOMPARE(m_f->text(u"Text2"_s), u"华北制药"_s);
    auto* purchasePrice = m_f->control<QLineEdit>(u"Text7"_s);
    QCOMPARE(purchasePrice->isVisible(), deleting);
    QCOMPARE(purchasePrice->text(), deleting ? u"9.80"_s : QString());
    QCOMPARE(m_f->control<QPushButton>(u"Command9"_s) != nullptr, deleting);

    m_f->dialogs().expect(u"已是第一条记录!"_s);
    m_f->click(u"Command4"_s);
    QVERIFY(!m_f->control<QPushButton>(u"Command4"_s)->isEnabled());
    m_f->dialogs().expect(u"已是最后一条记录!"_s);
    m_f->click(u"Command5"_s);
    QVERIFY(!m_f->control<QPushButton>(u"Command5"_s)->isEnabled());
    QCOMPARE(m_f->text(u"Text1"_s), u"阿莫西林"_s);

    m_f->pressEscape();
    QTRY_VERIFY(!m_f->window());
    const QStringList expected = deleting
        ? QStringList { u"系统管理员进入删除药品档案页面。"_s, u"系统管理员退出删除药品档案页面。"_s }
        : QStringList {};
    QCOMPARE(m_f->logged(), expected);
}

void TestCatalogueWindows::emptyCatalogueClosesWindow_data()
{
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QString>("message");

    QTest::newRow("药品档案查询") << false << u"没有任何药品档案！"_s;
    QTest::newRow("Form3") << true << u"已经没有任何药品档案！"_s;
}

void TestCatalogueWindows::emptyCatalogueClosesWindow()
{
    QFETCH(bool, deleting);
    QFETCH(QString, message);

    m_f->dialogs().expect(message);
    m_f->open(new records::CatalogueBrowseWindow(
        m_f->scratch().db(), deleting ? records::CatalogueView::deletion() : records::CatalogueView::browsing()));
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged().size(), deleting ? 1 : 0);
}

void TestCatalogueWindows::findModeWithTwoOfOneName()
{
    recordtests::storeMedicines(
        m_f->scratch(),
        { medicine(u"VC"_s, u"东北制药"_s), medicine(u"阿莫西林"_s, u"华北制药"_s), medicine(u"VC"_s, u"华中制药"_s) });
    m_f->open(new records::CatalogueBrowseWindow(m_f->scratch().db(), records::CatalogueView::browsing()));
    auto* name = m_f->control<QLineEdit>(u"Text1"_s);
    QVERIFY(!name->isEnabled());
    m_f->click(u"Command5"_s);
    QCOMPARE(m_f->text(u"Text1"_s), u"阿莫西林"_s);

    m_f->click(u"Command8"_s);
    QVERIFY(name->isEnabled());
    QCOMPARE(focused(), name);
    QVERIFY(!m_f->control<QPushButton>(u"Command5"_s)->isVisible());
    QVERIFY(m_f->control<QPushButton>(u"Command11"_s)->isVisible());

    // Another letter case finds the medicine.
    m_f->type(u"Text1"_s, u"vc"_s);
    m_f->pressEnter(u"Text1"_s);
    QCOMPARE(focused(), m_f->control<QPushButton>(u"Command2"_s));
    QCOMPARE(m_f->text(u"Text2"_s), u"东北制药"_s);

    m_f->click(u"Command12"_s);
    QCOMPARE(m_f->text(u"Text2"_s), u"华中制药"_s);
    QCOMPARE(m_f->text(u"Text1"_s), u"VC"_s);
    m_f->click(u"Command3"_s); // no further match: stays, without a message
    QCOMPARE(m_f->text(u"Text2"_s), u"华中制药"_s);
    m_f->click(u"Command11"_s);
    QCOMPARE(m_f->text(u"Text2"_s), u"东北制药"_s);

    m_f->dialogs().expect(u"无此药品,请重新输入!"_s);
    m_f->type(u"Text1"_s, u"青霉素"_s);
    m_f->pressEnter(u"Text1"_s);
    QCOMPARE(focused(), name);
    QCOMPARE(m_f->text(u"Text2"_s), u"东北制药"_s);
    // Leaving the name box searches once more before 最后一条 runs with the same name.
    m_f->dialogs().expect(u"无此药品,请重新输入!"_s);
    m_f->dialogs().expect(u"无此药品,请重新输入!"_s);
    m_f->click(u"Command12"_s);
    QCOMPARE(m_f->text(u"Text2"_s), u"东北制药"_s);

    m_f->type(u"Text1"_s, u"阿莫西林"_s);
    m_f->click(u"Command10"_s);
    QVERIFY(!name->isEnabled());
    QCOMPARE(m_f->text(u"Text1"_s), u"VC"_s);
    QCOMPARE(m_f->text(u"Text2"_s), u"东北制药"_s);
    QVERIFY(!m_f->control<QPushButton>(u"Command4"_s)->isEnabled());
    QCOMPARE(focused(), m_f->control<QPushButton>(u"Command5"_s));
    QVERIFY(!m_f->control<QPushButton>(u"Command11"_s)->isVisible());
}

void TestCatalogueWindows::deletingTheOnlyMedicine()
{
    recordtests::storeMedicines(m_f->scratch(), { medicine(u"阿莫西林"_s, u"华北制药"_s) });
    m_f->open(new records::CatalogueBrowseWindow(m_f->scratch().db(), records::CatalogueView::deletion()));

    m_f->dialogs().expect(u"真的要删除此阿莫西林吗?"_s, Answer::No);
    m_f->click(u"Command9"_s);
    QCOMPARE(m_f->dialogs().last().prompt.title, u"警告!"_s);
    QCOMPARE(m_f->dialogs().last().prompt.buttons, platform::Buttons::YesNo);
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()).size(), 1);

    m_f->dialogs().expect(u"真的要删除此阿莫西林吗?"_s, Answer::Yes);
    m_f->dialogs().expect(u"已删除此药品!"_s);
    m_f->dialogs().expect(u"已经没有药品档案！"_s);
    m_f->click(u"Command9"_s);
    QTRY_VERIFY(!m_f->window());
    QVERIFY(recordtests::storedMedicines(m_f->scratch()).isEmpty());
    QCOMPARE(m_f->logged(), (QStringList { u"系统管理员进入删除药品档案页面。"_s, u"系统管理员成功删除阿莫西林"_s }));
}

void TestCatalogueWindows::deletingTakesTheMedicineShown()
{
    const Medicine first = medicine(u"VC"_s, u"东北制药"_s);
    const Medicine third = medicine(u"感冒灵"_s, u"华润"_s);
    recordtests::storeMedicines(m_f->scratch(), { first, medicine(u"阿莫西林"_s, u"华北制药"_s), third });
    m_f->open(new records::CatalogueBrowseWindow(m_f->scratch().db(), records::CatalogueView::deletion()));
    m_f->click(u"Command5"_s);

    m_f->dialogs().expect(u"真的要删除此阿莫西林吗?"_s, Answer::Yes);
    m_f->dialogs().expect(u"已删除此药品!"_s);
    m_f->click(u"Command9"_s);
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()), (QList<Medicine> { first, third }));
    QCOMPARE(m_f->text(u"Text1"_s), u"VC"_s);
    QCOMPARE(m_f->text(u"Text2"_s), u"东北制药"_s);

    // Two left: the second is the last.
    m_f->click(u"Command5"_s);
    QCOMPARE(m_f->text(u"Text1"_s), u"感冒灵"_s);
    m_f->dialogs().expect(u"已是最后一条记录!"_s);
    m_f->click(u"Command5"_s);

    // A name typed for a search that found nothing does not stand for the medicine on show.
    m_f->click(u"Command8"_s);
    m_f->type(u"Text1"_s, u"青霉素"_s);
    m_f->dialogs().expect(u"无此药品,请重新输入!"_s);
    m_f->dialogs().expect(u"真的要删除此感冒灵吗?"_s, Answer::No);
    m_f->click(u"Command9"_s);
    QCOMPARE(recordtests::storedMedicines(m_f->scratch()).size(), 2);
}

QTEST_MAIN(TestCatalogueWindows)
#include "test_catalogue_windows.moc"
