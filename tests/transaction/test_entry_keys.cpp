#include "catalogue_fixture.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "transaction/amounts.h"
#include "transaction/entry_window.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"
#include "users/current_user.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
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
const QString unit = u"仁和药店"_s;

/** Text as the input method commits it, the way Chinese names reach a box. */
void commit(QWidget* box, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

} // namespace

/** The function keys of the entry windows' continue, finish and cancel buttons. */
class TestEntryKeys final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keyPressesButton_data();
    void keyPressesButton();
    void keyWaitsForTheBoxLeft_data();
    void keyWaitsForTheBoxLeft();
    void finishKeyStoresOnce();

private:
    void openForEntry(const EntryVariant& variant);
    /** 甘草 in row 1 with the quantity typed: the focus is still in the quantity box. */
    void keyQuantity(const QString& quantity);
    QLineEdit* box(const QString& name) const { return m_window->findChild<QLineEdit*>(name); }
    void pressKey(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    QString focusName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    QString lastLog() const { return m_log->pending().isEmpty() ? QString() : m_log->pending().last().message; }

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::ActivityLog> m_log;
    QPointer<EntryWindow> m_window;
};

void TestEntryKeys::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_clock = std::make_unique<testsupport::FakeClock>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    testsupport::fillCatalogue(*m_scratch);
    QVERIFY(m_scratch->db().exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { unit }));
    QVERIFY(store::createTable(m_scratch->db(), unit, store::transactionTableColumns()));
    m_log = std::make_unique<users::ActivityLog>(m_scratch->db(), clerk);
    users::setCurrentUser(clerk);
    users::setActivityLog(m_log.get());
    workingSet() = transaction::WorkingSet {};
}

void TestEntryKeys::cleanup()
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

void TestEntryKeys::openForEntry(const EntryVariant& variant)
{
    m_window = EntryWindow::open(m_scratch->db(), variant);
    QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
    QTRY_COMPARE(lastLog(), u"制单员张三"_s + variant.openingLog);
    auto* units = m_window->findChild<QComboBox*>(u"Combo1"_s);
    units->setFocus(Qt::MouseFocusReason);
    units->setCurrentIndex(0);
    pressKey(Qt::Key_Return);
    QCOMPARE(focusName(), u"Name1"_s);
}

void TestEntryKeys::keyQuantity(const QString& quantity)
{
    commit(box(u"Name1"_s), u"甘草"_s);
    pressKey(Qt::Key_Return);
    QCOMPARE(focusName(), u"Number1"_s);
    QTest::keyClicks(box(u"Number1"_s), quantity);
    // the amount comes when the quantity box is left
    QCOMPARE(box(u"Money1"_s)->text(), QString());
}

void TestEntryKeys::keyPressesButton_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("log"); ///< the last log entry after the key; empty: still the opening one
    QTest::addColumn<QString>("lineOneAmount");

    const QString cancelQuestion = u"真的要取消本次交易吗?"_s;
    QTest::newRow("F5 continues, stored") << true << Qt::Key_F5 << u"Command1"_s << u"继续--入库（F5）"_s << QString()
                                          << false << QString() << u"16.00"_s;
    QTest::newRow("F9 finishes, stored") << true << Qt::Key_F9 << u"Command2"_s << u"完成--入库（F9）"_s << QString()
                                         << true << u"制单员张三完成与仁和药店的交易。"_s << u"16.00"_s;
    QTest::newRow("F12 cancels, stored") << true << Qt::Key_F12 << u"Command3"_s << u"取消交易（F12）"_s
                                         << cancelQuestion << true << u"制单员张三退出新交易（入库）页面。"_s
                                         << QString();
    QTest::newRow("F5 continues, not stored") << false << Qt::Key_F5 << u"Command1"_s << u"继续--不入库（F5）"_s
                                              << QString() << false << QString() << u"16.00"_s;
    QTest::newRow("F9 finishes, not stored")
        << false << Qt::Key_F9 << u"Command2"_s << u"完成--不入库（F9）"_s << QString() << true
        << u"制单员张三完成与仁和药店的交易(不入库)。"_s << u"16.00"_s;
    QTest::newRow("F12 cancels, not stored")
        << false << Qt::Key_F12 << u"Command3"_s << u"取消交易（F12）"_s << cancelQuestion << true
        << u"制单员张三退出新交易（不入库）页面。"_s << QString();
}

void TestEntryKeys::keyPressesButton()
{
    QFETCH(bool, stored);
    QFETCH(Qt::Key, key);
    QFETCH(QString, button);
    QFETCH(QString, toolTip);
    QFETCH(QString, question);
    QFETCH(bool, closes);
    QFETCH(QString, log);
    QFETCH(QString, lineOneAmount);
    const EntryVariant variant = stored ? EntryVariant::stored() : EntryVariant::notStored();
    openForEntry(variant);
    QCOMPARE(m_window->findChild<QPushButton*>(button)->toolTip(), toolTip);
    keyQuantity(u"2"_s);
    if (!question.isEmpty())
        m_dialogs->expect(question, platform::Answer::Ok);

    pressKey(key);
    if (closes)
        QTRY_VERIFY(m_window.isNull());
    else
        QCOMPARE(focusName(), u"Name1"_s);
    QCOMPARE(lastLog(), log.isEmpty() ? u"制单员张三"_s + variant.openingLog : log);
    // the quantity box was left before the button acted, so the line has its amount
    QCOMPARE(workingSet().TransactionLines[1].amount, lineOneAmount);
}

void TestEntryKeys::keyWaitsForTheBoxLeft_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("price"); ///< replaces the catalogue's price; empty keeps it
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<platform::Answer>("answer");
    QTest::addColumn<QString>("focus"); ///< where the focus is afterwards; empty: the window finished and closed

    const QString belowCost = transaction::belowPurchasePriceQuestion(u"6.00"_s);
    QTest::newRow("unknown medicine, continue")
        << u"没有的药"_s << QString() << Qt::Key_F5 << u"无此药品,请重新输入药品名!"_s << platform::Answer::Ok
        << u"Name1"_s;
    QTest::newRow("price below cost changed, finish")
        << u"甘草"_s << u"5"_s << Qt::Key_F9 << belowCost << platform::Answer::Yes << u"Danjia1"_s;
    QTest::newRow("price below cost kept, finish")
        << u"甘草"_s << u"5"_s << Qt::Key_F9 << belowCost << platform::Answer::No << QString();
}

void TestEntryKeys::keyWaitsForTheBoxLeft()
{
    QFETCH(QString, name);
    QFETCH(QString, price);
    QFETCH(Qt::Key, key);
    QFETCH(QString, prompt);
    QFETCH(platform::Answer, answer);
    QFETCH(QString, focus);
    openForEntry(EntryVariant::stored());
    commit(box(u"Name1"_s), name);
    if (!price.isEmpty()) {
        pressKey(Qt::Key_Return);
        QTest::keyClicks(box(u"Number1"_s), u"2"_s);
        pressKey(Qt::Key_Return);
        QCOMPARE(focusName(), u"Danjia1"_s);
        box(u"Danjia1"_s)->clear();
        QTest::keyClicks(box(u"Danjia1"_s), price);
    }
    m_dialogs->expect(prompt, answer);

    pressKey(key);
    if (focus.isEmpty()) {
        QTRY_VERIFY(m_window.isNull());
        QCOMPARE(m_scratch->rows(unit).size(), 1);
        return;
    }
    // the box kept the focus, so the button was not pressed
    QCOMPARE(focusName(), focus);
    QCOMPARE(workingSet().NextLine, 1);
    QVERIFY(workingSet().SerialText.isEmpty());
    QVERIFY(m_scratch->rows(unit).isEmpty());
}

void TestEntryKeys::finishKeyStoresOnce()
{
    openForEntry(EntryVariant::stored());
    keyQuantity(u"2"_s);
    QWidget* keyed = QApplication::focusWidget();

    // a second press before the window has closed, as an impatient clerk does
    QTest::keyClick(keyed, Qt::Key_F9);
    QTest::keyClick(m_window.data(), Qt::Key_F9);
    QTRY_VERIFY(m_window.isNull());
    QCOMPARE(m_scratch->rows(unit).size(), 1);
    QCOMPARE(workingSet().SerialText, u"XH00000000001Q"_s);
}

QTEST_MAIN(TestEntryKeys)
#include "test_entry_keys.moc"
