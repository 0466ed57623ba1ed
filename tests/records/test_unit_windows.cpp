#include "catalogue_fixture.h"
#include "records/unit_add_window.h"
#include "records/unit_browse_window.h"
#include "records/unit_modify_window.h"
#include "store/statements.h"
#include "support/window_fixture.h"
#include "users/current_user.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using platform::Answer;
using records::Unit;

namespace {

Unit unit(const QString& name)
{
    return { name,        u"王明"_s, u"解放路12号"_s, u"5551234"_s,   u"5551235"_s,
             u"050000"_s, u"A"_s,    u"super"_s,      u"2003-01-02"_s };
}

const QStringList addBoxes { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s, u"Text5"_s, u"Text6"_s, u"Text7"_s };

} // namespace

class TestUnitWindows final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addingAUnit();
    void refusedAddLeavesNothing_data();
    void refusedAddLeavesNothing();
    void cancelledAddStoresNothing();

    void modifyingAUnit();
    void nameBoxServesOneLookup();

    void browsingOneUnit_data();
    void browsingOneUnit();
    void emptyRegisterClosesWindow_data();
    void emptyRegisterClosesWindow();
    void deletingAUnit();
    void deletingAUnitWithoutItsCompanionTable();
    void failedDeleteChangesNothing();

private:
    void fillAddWindow(const Unit& u);
    records::UnitBrowseWindow* browseWindow(bool deleting);
    QWidget* focused() const { return QApplication::focusWidget(); }

    std::unique_ptr<testsupport::WindowFixture> m_f;
};

void TestUnitWindows::init()
{
    m_f = std::make_unique<testsupport::WindowFixture>();
}

void TestUnitWindows::cleanup()
{
    QString problem;
    const bool done = m_f->finish(&problem);
    m_f.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestUnitWindows::fillAddWindow(const Unit& u)
{
    const QStringList values { u.name, u.person, u.address, u.phone, u.fax, u.postcode, u.credit };
    for (qsizetype i = 0; i < addBoxes.size(); ++i)
        m_f->type(addBoxes[i], values[i]);
}

records::UnitBrowseWindow* TestUnitWindows::browseWindow(bool deleting)
{
    return new records::UnitBrowseWindow(m_f->scratch().db(),
                                         deleting ? records::UnitView::deletion() : records::UnitView::browsing());
}

void TestUnitWindows::addingAUnit()
{
    users::setCurrentUser(u"王丽"_s);
    recordtests::storeUnit(m_f->scratch(), unit(u"仁和诊所"_s));
    m_f->open(new records::UnitAddWindow(m_f->scratch().db()));

    const Unit typed { u"康泰药房"_s, u"李华"_s, u"建设路8号"_s, u"5556789"_s, u"5556780"_s, u"050011"_s, u"良好"_s };
    const QStringList values { typed.name, typed.person,   typed.address, typed.phone,
                               typed.fax,  typed.postcode, typed.credit };
    for (qsizetype i = 0; i < addBoxes.size(); ++i) {
        m_f->type(addBoxes[i], values[i]);
        m_f->pressEnter(addBoxes[i]);
        QWidget* next = i + 1 < addBoxes.size() ? static_cast<QWidget*>(m_f->control<QLineEdit>(addBoxes[i + 1]))
                                                : m_f->control<QPushButton>(u"Command1"_s);
        QCOMPARE(focused(), next);
    }
    m_f->dialogs().expect(u"增加单位资料成功!"_s);
    QTest::keyClick(focused(), Qt::Key_Return);

    QTRY_VERIFY(!m_f->window());
    Unit expected = typed;
    expected.addedBy = u"王丽"_s;
    expected.addedOn = u"2004-07-05"_s;
    QCOMPARE(recordtests::storedUnits(m_f->scratch()), (QList<Unit> { unit(u"仁和诊所"_s), expected }));
    QVERIFY(store::tableExists(m_f->scratch().db(), u"康泰药房"_s));
    QVERIFY(store::tableExists(m_f->scratch().db(), u"康泰药房1"_s));
    QCOMPARE(m_f->logged(),
             (QStringList { u"制单员王丽进入增加单位页面。"_s, u"制单员王丽增加康泰药房单位,成功。"_s }));
}

void TestUnitWindows::refusedAddLeavesNothing_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("its companion table exists") << u"仁和"_s;
    QTest::newRow("a unit's companion table") << u"仁和诊所1"_s;
    QTest::newRow("a unit already registered") << u"仁和诊所"_s;
    QTest::newRow("a user's log table") << u"Orsvan"_s;
    QTest::newRow("a space") << u"康泰 药房"_s;
}

void TestUnitWindows::refusedAddLeavesNothing()
{
    QFETCH(QString, name);

    // A table named as 仁和's companion table, as a unit 仁和1 would leave behind.
    recordtests::storeUnit(m_f->scratch(), unit(u"仁和诊所"_s));
    m_f->scratch().createTable(u"仁和1"_s, { u"备注"_s });
    const QStringList tablesBefore = recordtests::tableNames(m_f->scratch());
    m_f->open(new records::UnitAddWindow(m_f->scratch().db()));
    fillAddWindow(unit(name));
    m_f->dialogs().expect(u"增加单位资料失败!"_s);
    m_f->click(u"Command1"_s);

    QTRY_VERIFY(!m_f->window());
    QCOMPARE(recordtests::storedUnits(m_f->scratch()), QList<Unit> { unit(u"仁和诊所"_s) });
    QCOMPARE(recordtests::tableNames(m_f->scratch()), tablesBefore);
    QCOMPARE(m_f->logged().last(), u"系统管理员增加"_s + name + u"单位,失败。"_s);
}

void TestUnitWindows::cancelledAddStoresNothing()
{
    const QStringList tablesBefore = recordtests::tableNames(m_f->scratch());
    m_f->open(new records::UnitAddWindow(m_f->scratch().db()));
    fillAddWindow(unit(u"康泰药房"_s));
    m_f->pressEscape();

    QTRY_VERIFY(!m_f->window());
    QVERIFY(recordtests::storedUnits(m_f->scratch()).isEmpty());
    QCOMPARE(recordtests::tableNames(m_f->scratch()), tablesBefore);
    QCOMPARE(m_f->logged(), (QStringList { u"系统管理员进入增加单位页面。"_s, u"系统管理员退出增加单位页面"_s }));
}

void TestUnitWindows::modifyingAUnit()
{
    recordtests::storeUnit(m_f->scratch(), unit(u"仁和诊所"_s));
    recordtests::storeUnit(m_f->scratch(), unit(u"康泰药房"_s));
    m_f->open(new records::UnitModifyWindow(m_f->scratch().db()));

    m_f->type(u"Text1"_s, u"康泰药房"_s);
    m_f->pressEnter(u"Text1"_s);
    QVERIFY(!m_f->control<QLineEdit>(u"Text1"_s)->isEnabled());
    QCOMPARE(focused(), m_f->control<QLineEdit>(u"Text2"_s));
    QCOMPARE(m_f->text(u"Text3"_s), u"解放路12号"_s);
    QCOMPARE(m_f->text(u"Text12"_s), u"A"_s);

    m_f->type(u"Text2"_s, u"赵强"_s);
    m_f->type(u"Text12"_s, u"B"_s);
    m_f->dialogs().expect(u"单位档案修改成功!"_s);
    m_f->click(u"Command1"_s);

    QTRY_VERIFY(!m_f->window());
    Unit expected = unit(u"康泰药房"_s);
    expected.person = u"赵强"_s;
    expected.credit = u"B"_s;
    QCOMPARE(recordtests::storedUnits(m_f->scratch()), (QList<Unit> { unit(u"仁和诊所"_s), expected }));
    QCOMPARE(m_f->logged(),
             (QStringList { u"系统管理员进入修改单位资料系统。"_s, u"系统管理员修改康泰药房的单位资料,成功。"_s }));
}

void TestUnitWindows::nameBoxServesOneLookup()
{
    recordtests::storeUnit(m_f->scratch(), unit(u"仁和诊所"_s));
    m_f->open(new records::UnitModifyWindow(m_f->scratch().db()));

    m_f->type(u"Text1"_s, u"康泰药房"_s);
    m_f->dialogs().expect(u"无此单位,请检查输入是否正确!"_s);
    m_f->pressEnter(u"Text1"_s);
    QVERIFY(!m_f->control<QLineEdit>(u"Text1"_s)->isEnabled());

    // Leaving the boxes and 修改 change no unit; only 取消 leads out.
    m_f->type(u"Text2"_s, u"赵强"_s);
    m_f->type(u"Text3"_s, u"新华路1号"_s);
    m_f->dialogs().expect(u"无此单位,请检查输入是否正确!"_s);
    m_f->click(u"Command1"_s);
    QVERIFY(m_f->isOpen());
    QCOMPARE(recordtests::storedUnits(m_f->scratch()), QList<Unit> { unit(u"仁和诊所"_s) });

    m_f->click(u"Command2"_s);
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged(),
             (QStringList { u"系统管理员进入修改单位资料系统。"_s, u"系统管理员退出修改单位资料系统。"_s }));
}

void TestUnitWindows::browsingOneUnit_data()
{
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("单位档案查询") << false
                                  << QStringList { u"系统管理员进入单位档案查询页面。"_s,
                                                   u"系统管理员退出单位档案查询页面。"_s };
    QTest::newRow("Form4") << true
                           << QStringList { u"系统管理员进入删除单位档案页面。"_s,
                                            u"系统管理员退出删除单位档案页面。"_s };
}

void TestUnitWindows::browsingOneUnit()
{
    QFETCH(bool, deleting);
    QFETCH(QStringList, log);

    recordtests::storeUnit(m_f->scratch(), unit(u"仁和诊所"_s));
    m_f->open(browseWindow(deleting));
    QCOMPARE(m_f->text(u"Text1"_s), u"仁和诊所"_s);
    QCOMPARE(m_f->text(u"Text2"_s), u"解放路12号"_s);
    QCOMPARE(m_f->text(u"Text3"_s), u"王明"_s);
    QCOMPARE(m_f->text(u"Text7"_s), u"2003-01-02"_s);
    QCOMPARE(m_f->control<QPushButton>(u"Command2"_s) != nullptr, deleting);

    m_f->dialogs().expect(u"已是第一第记录!"_s);
    m_f->click(u"Command3"_s);
    QVERIFY(!m_f->control<QPushButton>(u"Command3"_s)->isEnabled());
    m_f->dialogs().expect(u"已是最后一条记录"_s);
    m_f->click(u"Command4"_s);
    QVERIFY(!m_f->control<QPushButton>(u"Command4"_s)->isEnabled());

    m_f->pressEscape();
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(m_f->logged(), log);
}

void TestUnitWindows::emptyRegisterClosesWindow_data()
{
    QTest::addColumn<bool>("deleting");

    QTest::newRow("单位档案查询") << false;
    QTest::newRow("Form4") << true;
}

void TestUnitWindows::emptyRegisterClosesWindow()
{
    QFETCH(bool, deleting);

    m_f->dialogs().expect(u"已经没有交易单位!"_s);
    m_f->open(browseWindow(deleting));
    QTRY_VERIFY(!m_f->window());
}

void TestUnitWindows::deletingAUnit()
{
    recordtests::storeUnit(m_f->scratch(), unit(u"仁和诊所"_s));
    recordtests::storeUnit(m_f->scratch(), unit(u"康泰药房"_s));
    m_f->open(browseWindow(true));
    m_f->click(u"Command4"_s);
    QCOMPARE(m_f->text(u"Text1"_s), u"康泰药房"_s);

    m_f->dialogs().expect(u"真的要删除康泰药房吗？"_s, Answer::No);
    m_f->click(u"Command2"_s);
    QCOMPARE(m_f->dialogs().last().prompt.title, u"警告!"_s);
    QCOMPARE(m_f->dialogs().last().prompt.buttons, platform::Buttons::YesNo);
    QCOMPARE(recordtests::storedUnits(m_f->scratch()).size(), 2);

    m_f->dialogs().expect(u"真的要删除康泰药房吗？"_s, Answer::Yes);
    m_f->dialogs().expect(u"删除单位成功!"_s);
    m_f->click(u"Command2"_s);
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(recordtests::storedUnits(m_f->scratch()), QList<Unit> { unit(u"仁和诊所"_s) });
    QVERIFY(!store::tableExists(m_f->scratch().db(), u"康泰药房"_s));
    QVERIFY(!store::tableExists(m_f->scratch().db(), u"康泰药房1"_s));
    QCOMPARE(m_f->logged(), (QStringList { u"系统管理员进入删除单位档案页面。"_s, u"系统管理员成功删除康泰药房。"_s }));
}

void TestUnitWindows::deletingAUnitWithoutItsCompanionTable()
{
    const QString name = u"第一医院（东城）"_s;
    recordtests::storeUnit(m_f->scratch(), unit(name));
    QVERIFY(store::dropTable(m_f->scratch().db(), name + u"1"_s));
    m_f->open(browseWindow(true));

    m_f->dialogs().expect(u"真的要删除"_s + name + u"吗？"_s, Answer::Yes);
    m_f->dialogs().expect(u"删除单位成功!"_s);
    m_f->click(u"Command2"_s);
    QTRY_VERIFY(!m_f->window());
    QVERIFY(recordtests::storedUnits(m_f->scratch()).isEmpty());
    QVERIFY(!store::tableExists(m_f->scratch().db(), name));
    QCOMPARE(m_f->logged().last(), u"系统管理员成功删除"_s + name + u"。"_s);
}

void TestUnitWindows::failedDeleteChangesNothing()
{
    recordtests::storeUnit(m_f->scratch(), unit(u"康泰药房"_s));
    recordtests::refuseWrites(m_f->scratch(), u"单位"_s, u"DELETE"_s);
    m_f->open(browseWindow(true));

    m_f->dialogs().expect(u"真的要删除康泰药房吗？"_s, Answer::Yes);
    m_f->dialogs().expect(u"删除单位失败!"_s);
    m_f->click(u"Command2"_s);
    QTRY_VERIFY(!m_f->window());
    QCOMPARE(recordtests::storedUnits(m_f->scratch()), QList<Unit> { unit(u"康泰药房"_s) });
    QVERIFY(store::tableExists(m_f->scratch().db(), u"康泰药房"_s));
    QCOMPARE(m_f->logged().last(), u"系统管理员删除康泰药房,失败。"_s);
}

QTEST_MAIN(TestUnitWindows)
#include "test_unit_windows.moc"
