// What the entry windows add to a sale beside its rows: the last sale of a row's medicine to the unit, the question
// about an expired or nearly expired batch, the sale's running total, and the finished sale on the main window.

#include "catalogue_fixture.h"
#include "shell/main_window.h"
#include "store/last_sale_index.h"
#include "store/options.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "transaction/clear_command.h"
#include "transaction/entry_window.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"
#include "users/current_user.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using transaction::EntryVariant;
using transaction::EntryWindow;
using transaction::workingSet;

namespace {

const QString clerk = u"张三"_s;
const QString unitA = u"仁和药店"_s;
const QString unitB = u"同济医院"_s;

/** Text as the input method commits it, the way Chinese names reach a box. */
void commit(QWidget* box, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

void pressEnter()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

/** A line of a unit's table as the finish stores it: year, month, day, medicine, quantity, unit price. */
void addSale(platform::Database& db, const QString& unit, const QStringList& line)
{
    QVERIFY2(db.exec(u"INSERT INTO %1 (\"交易年\", \"交易月\", \"交易日\", \"交易药品名\", \"数量\", \"单价\") "
                     u"VALUES (?, ?, ?, ?, ?, ?)"_s.arg(platform::quoteIdentifier(unit)),
                     { line.at(0), line.at(1), line.at(2), line.at(3), line.at(4), line.at(5) }),
             qPrintable(db.lastError()));
}

} // namespace

class TestSaleDesk final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lastSaleLine_data();
    void lastSaleLine();
    void lastSaleFollowsTheRow();
    void expiryQuestion_data();
    void expiryQuestion();
    void runningTotal();
    void runningTotalOfACancelledSale();
    void runningTotalAfterTheMainWindowClears();
    void finishedSaleOnTheMainWindow_data();
    void finishedSaleOnTheMainWindow();

private:
    /** Opens an entry window over the scratch database, picks the first unit: the focus is then in Name1. */
    void openForEntry(const EntryVariant& variant = EntryVariant::stored());
    template<typename T = QLineEdit> T* control(const QString& name) const
    {
        T* found = m_window ? m_window->findChild<T*>(name) : nullptr;
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* box(const QString& prefix, int r) const { return control(prefix + QString::number(r)); }
    QString label(const QString& name) const { return control<QLabel>(name)->text(); }
    void focusBox(QWidget* widget);
    /** Keys a row as a clerk does: name or code, Enter, quantity, Enter, price, Enter; the focus is then in date r. */
    void keyRow(int r, const QString& nameOrCode, const QString& quantity, const QString& price);

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::ActivityLog> m_log;
    QPointer<EntryWindow> m_window;
};

void TestSaleDesk::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_clock = std::make_unique<testsupport::FakeClock>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    testsupport::fillCatalogue(*m_scratch);
    m_log = std::make_unique<users::ActivityLog>(m_scratch->db(), clerk);
    users::setCurrentUser(clerk);
    users::setActivityLog(m_log.get());
    workingSet() = transaction::WorkingSet {};
    // the tables of an older database: without the last-sale index
    for (const QString& unit : { unitA, unitB }) {
        QVERIFY(m_scratch->db().exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { unit }));
        QVERIFY(store::createTable(m_scratch->db(), unit, store::transactionTableColumns()));
    }
}

void TestSaleDesk::cleanup()
{
    delete m_window;
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    users::setActivityLog(nullptr);
    users::setCurrentUser({});
    m_log.reset();
    m_scratch.reset();
    m_dialogs.reset();
    m_clock.reset();
    m_timers.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestSaleDesk::openForEntry(const EntryVariant& variant)
{
    m_window = EntryWindow::open(m_scratch->db(), variant);
    QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
    auto* units = control<QComboBox>(u"Combo1"_s);
    QTRY_COMPARE(units->count(), 2);
    focusBox(units);
    units->setCurrentIndex(0);
    pressEnter();
    QCOMPARE(focusName(), u"Name1"_s);
}

void TestSaleDesk::focusBox(QWidget* widget)
{
    widget->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), widget);
}

void TestSaleDesk::keyRow(int r, const QString& nameOrCode, const QString& quantity, const QString& price)
{
    focusBox(box(u"Name"_s, r));
    commit(box(u"Name"_s, r), nameOrCode);
    pressEnter();
    QCOMPARE(focusName(), u"Number%1"_s.arg(r));
    QTest::keyClicks(box(u"Number"_s, r), quantity);
    pressEnter();
    QTest::keyClicks(box(u"Danjia"_s, r), price);
    pressEnter();
    QCOMPARE(focusName(), u"date%1"_s.arg(r));
}

void TestSaleDesk::lastSaleLine_data()
{
    QTest::addColumn<QList<QStringList>>("sold"); // earlier lines of unit A
    QTest::addColumn<QString>("line");

    QTest::newRow("never sold to the unit")
        << QList<QStringList> { { u" 2004"_s, u" 7"_s, u" 1"_s, u"阿莫西林"_s, u"1"_s, u"5.50"_s } }
        << u"未曾售给该单位"_s;
    QTest::newRow("sold once") << QList<QStringList> { { u" 2003"_s, u" 11"_s, u" 3"_s, u"甘草"_s, u"20"_s,
                                                         u"3.50"_s } }
                               << u"上次: 2003-11-03 单价 3.50 数量 20"_s;
    QTest::newRow("sold several times") << QList<QStringList> {
        { u" 2004"_s, u" 6"_s, u" 30"_s, u"甘草"_s, u"12"_s, u"2.90"_s },
        { u" 2004"_s, u" 7"_s, u" 2"_s, u"甘草"_s, u"8"_s, u"3.10"_s },
        { u" 2003"_s, u" 12"_s, u" 31"_s, u"甘草"_s, u"50"_s, u"2.50"_s },
    } << u"上次: 2004-07-02 单价 3.10 数量 8"_s;
}

void TestSaleDesk::lastSaleLine()
{
    QFETCH(QList<QStringList>, sold);
    QFETCH(QString, line);
    for (const QStringList& sale : sold)
        addSale(m_scratch->db(), unitA, sale);
    addSale(m_scratch->db(), unitB, { u" 2004"_s, u" 7"_s, u" 4"_s, u"甘草"_s, u"99"_s, u"9.99"_s });

    openForEntry();
    // choosing the unit gives its older table the index
    QVERIFY(m_scratch->indexNames().contains(store::lastSaleIndexName(unitA)));
    QVERIFY(label(u"lastSale"_s).isEmpty());
    // by its code: the row is filled, the name box then holds the name
    focusBox(box(u"Name"_s, 1));
    commit(box(u"Name"_s, 1), u"GC"_s);
    pressEnter();
    QCOMPARE(box(u"Name"_s, 1)->text(), u"甘草"_s);
    QCOMPARE(label(u"lastSale"_s), line);

    // both lines can be read: inside the window, clear of every box and button, wide enough for their text
    for (const QString& name : { u"lastSale"_s, u"saleSoFar"_s }) {
        const QLabel* shown = control<QLabel>(name);
        QVERIFY(shown->isVisible());
        QVERIFY(m_window->rect().contains(shown->geometry()));
        QVERIFY(shown->width() >= shown->sizeHint().width());
        for (const QWidget* other : m_window->findChildren<QWidget*>()) {
            if ((qobject_cast<const QLineEdit*>(other) || qobject_cast<const QPushButton*>(other))
                && other->isVisible())
                QVERIFY2(!shown->geometry().intersects(other->geometry()), qPrintable(other->objectName()));
        }
    }
}

void TestSaleDesk::lastSaleFollowsTheRow()
{
    addSale(m_scratch->db(), unitA, { u" 2004"_s, u" 7"_s, u" 1"_s, u"葡萄糖注射液"_s, u"20"_s, u"3.50"_s });
    addSale(m_scratch->db(), unitA, { u" 2004"_s, u" 6"_s, u" 1"_s, u"阿莫西林"_s, u"4"_s, u"6.00"_s });
    openForEntry();

    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    QCOMPARE(label(u"lastSale"_s), u"上次: 2004-07-01 单价 3.50 数量 20"_s);
    // several records of the name: the line follows the one chosen from the list
    focusBox(box(u"Name"_s, 2));
    commit(box(u"Name"_s, 2), u"阿莫西林"_s);
    pressEnter();
    QCOMPARE(focusName(), u"Combo2"_s);
    pressEnter();
    QCOMPARE(focusName(), u"Number2"_s);
    QCOMPARE(label(u"lastSale"_s), u"上次: 2004-06-01 单价 6.00 数量 4"_s);

    // back in row 1, the line is row 1's again; a name too short to look up shows none
    focusBox(box(u"Name"_s, 1));
    QCOMPARE(label(u"lastSale"_s), u"上次: 2004-07-01 单价 3.50 数量 20"_s);
    focusBox(box(u"Name"_s, 3));
    QTest::keyClicks(box(u"Name"_s, 3), u"x"_s);
    pressEnter();
    QVERIFY(label(u"lastSale"_s).isEmpty());

    // a medicine not in the catalogue: no line beside the message
    focusBox(box(u"Name"_s, 4));
    commit(box(u"Name"_s, 4), u"无名药"_s);
    m_dialogs->expect(u"无此药品,请重新输入药品名!"_s);
    pressEnter();
    QVERIFY(label(u"lastSale"_s).isEmpty());
    box(u"Name"_s, 4)->clear();

    // another unit: the row's line is that unit's
    auto* units = control<QComboBox>(u"Combo1"_s);
    focusBox(units);
    units->setCurrentIndex(1);
    pressEnter();
    QCOMPARE(label(u"lastSale"_s), u"未曾售给该单位"_s);
}

void TestSaleDesk::expiryQuestion_data()
{
    QTest::addColumn<bool>("stored"); // the variant
    QTest::addColumn<int>("storedMonths"); // -1: nothing stored
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<QString>("question"); // empty: none
    QTest::addColumn<bool>("yes");

    // today is 2004-07-05
    const QString past = u"该批药品已过有效期,是否修改?"_s;
    const QString withinSix = u"该批药品有效期不足6个月,是否修改?"_s;
    QTest::newRow("past, changed") << true << -1 << u"2004-06"_s << past << true;
    QTest::newRow("past, kept") << true << -1 << u"2004.07.04"_s << past << false;
    QTest::newRow("inside the period") << true << -1 << u"200412"_s << withinSix << true;
    QTest::newRow("outside the period") << true << -1 << u"20050105"_s << QString() << false;
    QTest::newRow("not a date") << true << -1 << u"见包装"_s << QString() << false;
    QTest::newRow("a period of 3 set") << true << 3 << u"2004/10/04"_s << u"该批药品有效期不足3个月,是否修改?"_s
                                       << false;
    QTest::newRow("not-stored entry") << false << -1 << u"2004/12/31"_s << withinSix << true;
}

void TestSaleDesk::expiryQuestion()
{
    QFETCH(bool, stored);
    QFETCH(int, storedMonths);
    QFETCH(QString, expiry);
    QFETCH(QString, question);
    QFETCH(bool, yes);
    if (storedMonths >= 0)
        QVERIFY(store::storeExpiryWarningMonths(m_scratch->db(), storedMonths));
    openForEntry(stored ? EntryVariant::stored() : EntryVariant::notStored());
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    pressEnter();
    QCOMPARE(focusName(), u"beizhu1"_s);
    commit(box(u"beizhu"_s, 1), expiry);

    if (!question.isEmpty())
        m_dialogs->expect(question, yes ? platform::Answer::Yes : platform::Answer::No);
    pressEnter();
    QVERIFY(m_dialogs->verifyDone());
    if (!question.isEmpty()) {
        QCOMPARE(m_dialogs->last().prompt.buttons, platform::Buttons::YesNo);
        QCOMPARE(m_dialogs->last().prompt.icon, platform::Icon::Question);
    }
    QCOMPARE(focusName(), yes ? u"beizhu1"_s : u"Name2"_s);
    // the text stands as typed either way
    QCOMPARE(box(u"beizhu"_s, 1)->text(), expiry);
}

void TestSaleDesk::runningTotal()
{
    openForEntry();
    QCOMPARE(label(u"saleSoFar"_s), u"本单 0 条, 合计 0.00 元"_s);
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 1 条, 合计 6.00 元"_s);
    keyRow(2, u"amxl"_s, u"1"_s, u"5.5"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 2 条, 合计 11.50 元"_s);

    // corrections: a quantity, an amount typed over, a row emptied down to a short name
    focusBox(box(u"Number"_s, 1));
    box(u"Number"_s, 1)->clear();
    QTest::keyClicks(box(u"Number"_s, 1), u"5"_s);
    pressEnter();
    QCOMPARE(label(u"saleSoFar"_s), u"本单 2 条, 合计 20.50 元"_s);
    focusBox(box(u"Money"_s, 2));
    box(u"Money"_s, 2)->setText(u"5.00"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 2 条, 合计 20.00 元"_s);
    keyRow(3, u"on"_s, u"1"_s, u"12"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 3 条, 合计 32.00 元"_s);
    focusBox(box(u"Name"_s, 3));
    box(u"Name"_s, 3)->setText(u"o"_s);
    pressEnter();
    QCOMPARE(label(u"saleSoFar"_s), u"本单 3 条, 合计 20.00 元"_s);
    box(u"Name"_s, 3)->clear();
    QCOMPARE(label(u"saleSoFar"_s), u"本单 2 条, 合计 20.00 元"_s);

    // continue: the lines move into the sale, the total stays; the next page adds to it
    QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 2 条, 合计 20.00 元"_s);
    keyRow(1, u"甘草"_s, u"3"_s, u"8"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 3 条, 合计 44.00 元"_s);

    // a cancel the clerk takes back changes nothing
    m_dialogs->expect(u"真的要取消本次交易吗?"_s, platform::Answer::Cancel);
    QTest::mouseClick(control<QPushButton>(u"Command3"_s), Qt::LeftButton);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 3 条, 合计 44.00 元"_s);

    // the finish keeps what the sale came to while the window waits to close
    QTest::mouseClick(control<QPushButton>(u"Command2"_s), Qt::LeftButton);
    QCOMPARE(workingSet().TotalAmount, 44.0);
    if (m_window)
        QCOMPARE(label(u"saleSoFar"_s), u"本单 3 条, 合计 44.00 元"_s);
}

void TestSaleDesk::runningTotalOfACancelledSale()
{
    // Both entry windows work on the one sale: a cancel in one empties the sale the other one shows.
    openForEntry();
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);
    keyRow(1, u"甘草"_s, u"1"_s, u"8"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 2 条, 合计 14.00 元"_s);

    auto* other = new EntryWindow(m_scratch->db(), EntryVariant::notStored());
    other->show();
    // its opening cleared the sale: the first window keeps only its page
    QCOMPARE(label(u"saleSoFar"_s), u"本单 1 条, 合计 8.00 元"_s);
    QVERIFY(QTest::qWaitForWindowActive(other));
    auto* otherUnits = other->findChild<QComboBox*>(u"Combo1"_s);
    QTRY_COMPARE(otherUnits->count(), 2);
    otherUnits->setCurrentIndex(0);
    auto* otherTotal = other->findChild<QLabel*>(u"saleSoFar"_s);
    other->findChild<QLineEdit*>(u"Name1"_s)->setText(u"维生素C"_s);
    other->findChild<QLineEdit*>(u"Money1"_s)->setText(u"2.00"_s);
    QCOMPARE(otherTotal->text(), u"本单 1 条, 合计 2.00 元"_s);

    // a page stored in one window shows in the other
    QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);
    QCOMPARE(otherTotal->text(), u"本单 2 条, 合计 10.00 元"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 1 条, 合计 8.00 元"_s);

    // the cancelled page goes with its window
    auto* cancel = other->findChild<QPushButton*>(u"Command3"_s);
    m_dialogs->expect(u"真的要取消本次交易吗?"_s, platform::Answer::Ok);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(!other->isVisible());
    QCOMPARE(otherTotal->text(), u"本单 0 条, 合计 0.00 元"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 0 条, 合计 0.00 元"_s);
    delete other;
}

void TestSaleDesk::runningTotalAfterTheMainWindowClears()
{
    openForEntry();
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);
    keyRow(1, u"甘草"_s, u"1"_s, u"8"_s);
    QCOMPARE(label(u"saleSoFar"_s), u"本单 2 条, 合计 14.00 元"_s);

    // the clear command of the main window, while the main window has the keyboard
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    m_dialogs->expect(u"真的要清空当前交易吗?"_s, platform::Answer::Ok);
    m_dialogs->expect(u"交易内容已清空!"_s);
    transaction::confirmAndClear();
    elsewhere.hide();

    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
    QCOMPARE(label(u"saleSoFar"_s), u"本单 1 条, 合计 8.00 元"_s);
}

void TestSaleDesk::finishedSaleOnTheMainWindow_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("status");
    QTest::newRow("stored") << true << u"已存入销售单 XH00000000001Q, 合计 11.50 元"_s;
    QTest::newRow("not stored") << false << u"已完成销售单 XH00000000001Q(不入库), 合计 11.50 元"_s;
}

void TestSaleDesk::finishedSaleOnTheMainWindow()
{
    QFETCH(bool, stored);
    QFETCH(QString, status);
    shell::MainWindow main(m_scratch->db());
    main.show();
    auto* line = main.findChild<QLabel*>(u"saleStatus"_s);
    QVERIFY(line);
    QVERIFY(line->text().isEmpty());

    const EntryVariant variant = stored ? EntryVariant::stored() : EntryVariant::notStored();
    openForEntry(variant);
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    keyRow(2, u"amxl"_s, u"1"_s, u"5.5"_s);
    QVERIFY(line->text().isEmpty());
    QTest::mouseClick(control<QPushButton>(u"Command2"_s), Qt::LeftButton);
    QCOMPARE(line->text(), status);
    QTRY_VERIFY(!m_window);
    QCOMPARE(line->text(), status);
    QVERIFY(line->isVisible());
    QVERIFY(main.centralWidget()->rect().contains(line->geometry()));

    // until the next sale starts
    openForEntry(variant);
    QVERIFY(line->text().isEmpty());
}

QTEST_MAIN(TestSaleDesk)
#include "test_sale_desk.moc"
