#include "catalogue_fixture.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "transaction/entry_window.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"
#include "users/current_user.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QTreeView>

using namespace Qt::Literals::StringLiterals;
using transaction::EntryVariant;
using transaction::EntryWindow;
using transaction::workingSet;

namespace {

const QString clerk = u"张三"_s;
const QString unit = u"仁和药店"_s;

/** Text as the input method commits it, the way Chinese names reach a box. */
void commit(QWidget* box, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

} // namespace

Q_DECLARE_METATYPE(EntryVariant)

/** The find list of the entry windows, driven from the keyboard as a clerk drives it. */
class TestFindList final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void narrowsAsTheClerkTypes();
    void takingAnEntry_data();
    void takingAnEntry();
    void escapeLeavesTheBoxAsItWas();
    void opensAfterNoSuchMedicine();

private:
    void openForEntry(const EntryVariant& variant = EntryVariant::stored());
    template<typename T = QLineEdit> T* control(const QString& name) const
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    QWidget* list() const { return control<QWidget>(u"FindList"_s); }
    QTreeView* view() const { return control<QTreeView>(u"FindView"_s); }
    /** The entries as the list shows them, one "name|maker|规格|单位|单价" each. */
    QStringList entries() const;
    int currentEntry() const { return view()->currentIndex().row(); }
    QString focusName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    void key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    /** F2 in a row's name box that holds the text. */
    void openList(int r, const QString& text = {});

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::ActivityLog> m_log;
    QPointer<EntryWindow> m_window;
};

void TestFindList::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    testsupport::fillCatalogue(*m_scratch);
    m_log = std::make_unique<users::ActivityLog>(m_scratch->db(), clerk);
    users::setCurrentUser(clerk);
    users::setActivityLog(m_log.get());
    workingSet() = transaction::WorkingSet {};
}

void TestFindList::cleanup()
{
    delete m_window;
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    users::setActivityLog(nullptr);
    users::setCurrentUser({});
    m_log.reset();
    m_scratch.reset();
    m_dialogs.reset();
    m_timers.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestFindList::openForEntry(const EntryVariant& variant)
{
    QVERIFY(m_scratch->db().exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { unit }));
    QVERIFY(store::createTable(m_scratch->db(), unit, store::transactionTableColumns()));
    m_window = EntryWindow::open(m_scratch->db(), variant);
    QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
    QTRY_COMPARE(control<QComboBox>(u"Combo1"_s)->count(), 1);
    auto* units = control<QComboBox>(u"Combo1"_s);
    units->setFocus(Qt::MouseFocusReason);
    units->setCurrentIndex(0);
    key(Qt::Key_Return);
    QCOMPARE(focusName(), u"Name1"_s);
}

QStringList TestFindList::entries() const
{
    QStringList shown;
    const QAbstractItemModel* model = view()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < model->columnCount(); ++column)
            fields << model->index(row, column).data().toString();
        shown << fields.join(u'|');
    }
    return shown;
}

void TestFindList::openList(int r, const QString& text)
{
    auto* name = control(u"Name%1"_s.arg(r));
    name->setFocus(Qt::MouseFocusReason);
    commit(name, text);
    QVERIFY(!list()->isVisible());
    key(Qt::Key_F2);
    QVERIFY(list()->isVisible());
    QCOMPARE(focusName(), u"Name%1"_s.arg(r));
}

void TestFindList::narrowsAsTheClerkTypes()
{
    openForEntry();
    openList(4);
    // under its box, and the whole catalogue before anything is typed
    auto* name = control(u"Name4"_s);
    QCOMPARE(list()->pos(), name->mapToGlobal(QPoint(0, name->height())));
    QCOMPARE(entries().size(), testsupport::catalogueRows().size());

    QTest::keyClicks(name, u"v"_s);
    QCOMPARE(entries(),
             (QStringList { u"维生素C|东北 制药 厂|100 mg|大 瓶|2.00"_s, u"维生素C|天津药业|50mg|瓶|1.80"_s }));
    QTest::keyClicks(name, u"c2"_s);
    QCOMPARE(entries(), QStringList { u"维生素C|天津药业|50mg|瓶|1.80"_s });
    QCOMPARE(currentEntry(), 0);
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    QCOMPARE(entries().size(), 2);

    // a name part, as the input method commits it
    name->clear();
    commit(name, u"葡萄"_s);
    QCOMPARE(entries(), QStringList { u"葡萄糖注射液|双鹤|250ml|瓶|3.00"_s });
    commit(name, u"x"_s);
    QVERIFY(entries().isEmpty());
    QVERIFY(list()->isVisible());
}

void TestFindList::takingAnEntry_data()
{
    QTest::addColumn<EntryVariant>("variant");
    QTest::addColumn<QString>("purchasePrice");
    QTest::newRow("stored sale") << EntryVariant::stored() << u"5.10"_s;
    QTest::newRow("sale not stored") << EntryVariant::notStored() << QString();
}

void TestFindList::takingAnEntry()
{
    QFETCH(EntryVariant, variant);
    QFETCH(QString, purchasePrice);
    openForEntry(variant);
    control(u"Number2"_s)->setText(u"3"_s);
    openList(2, u"am"_s);
    // three medicines named 阿莫西林: the clerk takes the second, which looking the name up would never give
    QCOMPARE(entries().size(), 3);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Up);
    QCOMPARE(currentEntry(), 1);
    key(Qt::Key_Return);

    QVERIFY(!list()->isVisible());
    QCOMPARE(focusName(), u"Number2"_s);
    QVERIFY(!control<QListWidget>(u"Combo2"_s)->isVisible());
    const QStringList row { control(u"Name2"_s)->text(),   control(u"shang2"_s)->text(), control(u"Danjia2"_s)->text(),
                            control(u"Money2"_s)->text(),  control(u"Guige2"_s)->text(), control(u"Danwei2"_s)->text(),
                            control(u"leixing2"_s)->text() };
    QCOMPARE(row,
             (QStringList { u"阿莫西林"_s, u"石药集团"_s, u"6.00"_s, u"18.00"_s, u"0.5g*12"_s, u"盒"_s, u"片剂"_s }));
    if (auto* jinjia = m_window->findChild<QLabel*>(u"jinjia2"_s))
        QCOMPARE(jinjia->text(), purchasePrice);

    // the row goes on as one filled by a choice: the price below that medicine's purchase price is questioned
    key(Qt::Key_Return);
    QCOMPARE(focusName(), u"Danjia2"_s);
    control(u"Danjia2"_s)->setText(u"5.00"_s);
    if (!purchasePrice.isEmpty())
        m_dialogs->expect(u"低于进价 5.10 ,是否修改?"_s, platform::Answer::No);
    key(Qt::Key_Return);
    QCOMPARE(focusName(), u"date2"_s);
    QCOMPARE(control(u"shang2"_s)->text(), u"石药集团"_s);

    // coming back to the name and leaving it unchanged keeps that medicine; a changed name is looked up again
    control(u"Name2"_s)->setFocus(Qt::MouseFocusReason);
    key(Qt::Key_Return);
    QVERIFY(!control<QListWidget>(u"Combo2"_s)->isVisible());
    QCOMPARE(control(u"shang2"_s)->text(), u"石药集团"_s);
    control(u"Name2"_s)->setFocus(Qt::MouseFocusReason);
    commit(control(u"Name2"_s), u"x"_s);
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    QVERIFY(control<QListWidget>(u"Combo2"_s)->isVisible());
    QCOMPARE(control(u"shang2"_s)->text(), u"华北制药"_s);
}

void TestFindList::escapeLeavesTheBoxAsItWas()
{
    openForEntry();
    control(u"shang1"_s)->setText(u"旧厂"_s);
    openList(1, u"维生"_s);
    QTest::keyClicks(control(u"Name1"_s), u"xyz"_s);
    key(Qt::Key_Down);
    key(Qt::Key_Escape);

    QVERIFY(!list()->isVisible());
    QCOMPARE(focusName(), u"Name1"_s);
    QCOMPARE(control(u"Name1"_s)->text(), u"维生"_s);
    QCOMPARE(control(u"shang1"_s)->text(), u"旧厂"_s);
    QVERIFY(m_window->isVisible());
    // typing on is the box's again and opens nothing
    commit(control(u"Name1"_s), u"素"_s);
    QCOMPARE(control(u"Name1"_s)->text(), u"维生素"_s);
    QVERIFY(!list()->isVisible());
}

void TestFindList::opensAfterNoSuchMedicine()
{
    openForEntry();
    auto* name = control(u"Name3"_s);
    name->setFocus(Qt::MouseFocusReason);
    commit(name, u"维生素"_s);
    m_dialogs->expect(u"无此药品,请重新输入药品名!"_s);
    key(Qt::Key_Return);

    QCOMPARE(focusName(), u"Name3"_s);
    QVERIFY(list()->isVisible());
    QCOMPARE(name->text(), u"维生素"_s);
    QCOMPARE(entries().size(), 2);
    key(Qt::Key_Return);
    QCOMPARE(focusName(), u"Number3"_s);
    QCOMPARE(name->text(), u"维生素C"_s);
    QCOMPARE(control(u"shang3"_s)->text(), u"东北 制药 厂"_s);
    QVERIFY(!control<QListWidget>(u"Combo2"_s)->isVisible());
}

QTEST_MAIN(TestFindList)
#include "test_find_list.moc"
