#include "catalogue_fixture.h"
#include "platform/data_folder.h"
#include "platform/top_level_windows.h"
#include "platform/twips.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "store/bound_recordset.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "transaction/entry_window.h"
#include "transaction/transaction_file.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"
#include "users/current_user.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

} // namespace

class TestEntryWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void tabOrder();
    void opening_data();
    void opening();
    void openedOnceByEitherCommand();
    void keyFilters_data();
    void keyFilters();
    void enterMovesOn_data();
    void enterMovesOn();
    void unitCheck_data();
    void unitCheck();
    void unitListIsNotLeavingTheBox_data();
    void unitListIsNotLeavingTheBox();
    void lookup_data();
    void lookup();
    void takingAChoice_data();
    void takingAChoice();
    void amounts_data();
    void amounts();
    void priceQuestionRepeats();
    void messagesDoNotChaseEachOther();
    void continueAndFinish();
    void failedFinishKeepsThePage();
    void leaving_data();
    void leaving();
    void notStoredSales();
    void savingAndReading();
    void mainWindowFileCommands();

private:
    /** Two units in the register, each with its transaction table. */
    void addUnits();
    /** Opens the stored entry over the scratch database and waits for its opening tick. */
    void openWindow(bool withUnits = true, const EntryVariant& variant = EntryVariant::stored());
    /** Opens it and picks the first unit, as a clerk starts: the focus is then in Name1. */
    void openForEntry(const EntryVariant& variant = EntryVariant::stored());
    template<typename T = QLineEdit> T* control(const QString& name) const
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    QLineEdit* box(const QString& prefix, int r) const { return control(prefix + QString::number(r)); }
    QString focusName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    void chooseUnit(int index);
    void focusBox(QWidget* widget);
    void pressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    /** Keys a row as a clerk does: name or code, Enter, quantity, Enter, price, Enter. */
    void keyRow(int r, const QString& nameOrCode, const QString& quantity, const QString& price);
    QString lastLog() const { return m_log->pending().isEmpty() ? QString() : m_log->pending().last().message; }

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::ActivityLog> m_log;
    QPointer<EntryWindow> m_window;
};

void TestEntryWindow::init()
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
}

void TestEntryWindow::cleanup()
{
    delete m_window;
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    users::setActivityLog(nullptr);
    users::setCurrentUser({});
    platform::setDataFolder({});
    m_log.reset();
    m_scratch.reset();
    m_dialogs.reset();
    m_clock.reset();
    m_timers.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestEntryWindow::addUnits()
{
    for (const QString& unit : { unitA, unitB }) {
        QVERIFY(m_scratch->db().exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { unit }));
        QVERIFY(store::createTable(m_scratch->db(), unit, store::transactionTableColumns()));
    }
}

void TestEntryWindow::openWindow(bool withUnits, const EntryVariant& variant)
{
    if (withUnits)
        addUnits();
    m_window = EntryWindow::open(m_scratch->db(), variant);
    QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
    QTRY_COMPARE(lastLog(), u"制单员张三"_s + variant.openingLog);
}

void TestEntryWindow::openForEntry(const EntryVariant& variant)
{
    openWindow(true, variant);
    chooseUnit(0);
}

void TestEntryWindow::focusBox(QWidget* widget)
{
    widget->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), widget);
}

void TestEntryWindow::chooseUnit(int index)
{
    auto* units = control<QComboBox>(u"Combo1"_s);
    focusBox(units);
    units->setCurrentIndex(index);
    pressEnter();
    QCOMPARE(focusName(), u"Name1"_s);
}

void TestEntryWindow::keyRow(int r, const QString& nameOrCode, const QString& quantity, const QString& price)
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

void TestEntryWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips"); // an empty rectangle: the place is not fixed
    QTest::addColumn<bool>("visible");

    const auto row = [](const QString& name, const QString& caption, QRect twips, bool visible = true) {
        QTest::newRow(name.toUtf8().constData()) << name << caption << twips << visible;
    };
    row(u"Label1"_s, u"新交易"_s, QRect(5160, 120, 1080, 420));
    row(u"Label2"_s, u"单位："_s, QRect(120, 460, 600, 330));
    row(u"Combo1"_s, QString(), QRect(720, 460, 3600, 330));
    row(u"Name1"_s, QString(), QRect(120, 1440, 2160, 375));
    row(u"leixing1"_s, QString(), QRect(10560, 1440, 720, 375));
    row(u"Name10"_s, QString(), QRect(120, 4680, 2160, 375));
    row(u"Money7"_s, QString(), QRect(5640, 3600, 960, 375));
    row(u"Frame1"_s, QString(), QRect(900, 600, 9615, 4650), false);
    row(u"Label12"_s, u"请选择:"_s, QRect(), false);
    row(u"Combo2"_s, QString(), QRect(), false);
    row(u"List1"_s, QString(), QRect(), false);
    row(u"jinjia1"_s, QString(), QRect(), false);
    row(u"Label13"_s, QString(), QRect(), false);
    row(u"Label31"_s, u"0"_s, QRect(), false);
    row(u"Label15"_s, u"0"_s, QRect(), false);
    row(u"Command1"_s, u"继续--入库"_s, QRect(720, 5280, 1500, 495));
    row(u"Command2"_s, u"完成--入库"_s, QRect(2820, 5280, 1500, 495));
    row(u"Command3"_s, u"取消交易"_s, QRect(4920, 5280, 1500, 495));
    row(u"Command5"_s, u"保存交易"_s, QRect(7020, 5280, 1500, 495));
    row(u"Command4"_s, u"读取交易"_s, QRect(9120, 5280, 1500, 495));

    const QStringList headings { u"药品名称"_s, u"药品制造商"_s, u"数 量"_s,  u"单价"_s,   u"金  额"_s,
                                 u"规 格"_s,    u"单位"_s,       u"批  号"_s, u"有效期"_s, u"类型"_s };
    const QStringList headingNames { u"Label3"_s, u"Label10"_s, u"Label4"_s, u"Label5"_s,  u"Label6"_s,
                                     u"Label8"_s, u"Label9"_s,  u"Label7"_s, u"Label14"_s, u"Label17"_s };
    const int lefts[] = { 120, 2280, 4080, 4800, 5640, 6600, 7800, 8400, 9480, 10560 };
    const int widths[] = { 2160, 1800, 720, 840, 960, 1200, 600, 1080, 1080, 720 };
    for (int i = 0; i < headings.size(); ++i)
        row(headingNames.at(i), headings.at(i), QRect(lefts[i], 1080, widths[i], 300));
}

void TestEntryWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(bool, visible);
    openWindow();

    QCOMPARE(m_window->windowTitle(), u"Tarnwell"_s);
    QWidget* widget = m_window->findChild<QWidget*>(name);
    QVERIFY(widget);
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), caption);
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
    if (!twips.isEmpty())
        QCOMPARE(widget->geometry(), platform::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QCOMPARE(widget->isVisible(), visible);
}

void TestEntryWindow::tabOrder()
{
    openWindow();
    QStringList expected { u"Combo1"_s };
    for (int r = 1; r <= 10; ++r) {
        for (const QString& prefix : { u"Name"_s, u"shang"_s, u"Number"_s, u"Danjia"_s, u"Money"_s, u"Guige"_s,
                                       u"Danwei"_s, u"date"_s, u"beizhu"_s, u"leixing"_s })
            expected << prefix + QString::number(r);
    }
    expected << u"Command1"_s << u"Command2"_s << u"Command3"_s << u"Command5"_s << u"Command4"_s;

    QCOMPARE(focusName(), u"Combo1"_s);
    QStringList visited;
    QWidget* widget = control<QComboBox>(u"Combo1"_s);
    while (widget && visited.size() < expected.size()) {
        visited << widget->objectName();
        do
            widget = widget->nextInFocusChain();
        while (widget && (widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus);
    }
    QCOMPARE(visited, expected);
}

void TestEntryWindow::opening_data()
{
    QTest::addColumn<bool>("withUnits");
    QTest::addColumn<QStringList>("units");
    QTest::newRow("units in table order") << true << QStringList { unitA, unitB };
    QTest::newRow("empty unit register") << false << QStringList {};
}

void TestEntryWindow::opening()
{
    QFETCH(bool, withUnits);
    QFETCH(QStringList, units);
    workingSet().TransactionLines[1].name = u"上一笔"_s;
    workingSet().NextLine = 11;
    if (!withUnits)
        m_dialogs->expect(u"单位档案为空，请先建立新单位档案!"_s);

    openWindow(withUnits);
    auto* unitBox = control<QComboBox>(u"Combo1"_s);
    QStringList shown;
    for (int i = 0; i < unitBox->count(); ++i)
        shown << unitBox->itemText(i);
    QCOMPARE(shown, units);
    QCOMPARE(unitBox->currentIndex(), -1);
    QVERIFY(!workingSet().hasContent());
    QCOMPARE(workingSet().NextLine, 1);
    QCOMPARE(m_log->pending().size(), 1);
}

void TestEntryWindow::openedOnceByEitherCommand()
{
    addUnits();
    shell::MainWindow main(m_scratch->db());
    shell::wireEntryCommands(main, m_scratch->db());
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    main.runCommand(u"newa"_s);
    m_window = qobject_cast<EntryWindow*>(platform::topLevelWindow(u"xdjy"_s));
    QVERIFY(m_window);
    QCOMPARE(m_window->objectName(), u"xdjy"_s);
    QVERIFY(m_window->parent() == nullptr);
    QVERIFY(m_window->testAttribute(Qt::WA_DeleteOnClose));
    QTRY_COMPARE(m_log->pending().size(), 1);
    box(u"Name"_s, 4)->setText(u"未存"_s);
    workingSet().TransactionLines[1].name = u"已存"_s;

    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    main.runCommand(u"Image1"_s);
    QTRY_COMPARE(QApplication::activeWindow(), m_window.data());
    QCOMPARE(box(u"Name"_s, 4)->text(), u"未存"_s);
    QCOMPARE(workingSet().TransactionLines[1].name, u"已存"_s);
    QVERIFY(main.isEnabled());
    QCOMPARE(m_log->pending().size(), 1);

    // the shutdown unloads it without a log entry and without touching the sale
    shell::lifecycleHooks().unloadEntryWindows();
    QTRY_VERIFY(!m_window);
    QCOMPARE(m_log->pending().size(), 1);
    QCOMPARE(workingSet().TransactionLines[1].name, u"已存"_s);

    main.runCommand(u"Image2"_s);
    m_window = qobject_cast<EntryWindow*>(platform::topLevelWindow(u"xdjy1"_s));
    QVERIFY(m_window);
    QVERIFY(main.isEnabled());
    QVERIFY(!workingSet().hasContent());
    QTRY_COMPARE(lastLog(), u"制单员张三进入新交易（不入库）页面。"_s);
    shell::lifecycleHooks().unloadEntryWindows();
    QTRY_VERIFY(!m_window);
    shell::lifecycleHooks() = {};
}

void TestEntryWindow::keyFilters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("quantity takes digits and backspace") << u"Number1"_s << u"1a2.-3 \b4"_s << u"124"_s;
    QTest::newRow("price takes digits and points") << u"Danjia1"_s << u"3.5x,5\b6"_s << u"3.56"_s;
    QTest::newRow("name drops quote and bracket") << u"Name1"_s << u"ab']c["_s << u"abc["_s;
    QTest::newRow("batch number takes anything") << u"date1"_s << u"B-1'"_s << u"B-1'"_s;
}

void TestEntryWindow::keyFilters()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    openForEntry();
    auto* target = control(name);
    focusBox(target);
    QTest::keyClicks(target, typed);
    QCOMPARE(target->text(), shown);
}

void TestEntryWindow::enterMovesOn_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("name to quantity") << u"Name3"_s << u"Number3"_s;
    QTest::newRow("quantity to price") << u"Number3"_s << u"Danjia3"_s;
    QTest::newRow("price to batch number") << u"Danjia3"_s << u"date3"_s;
    QTest::newRow("batch number to expiry") << u"date3"_s << u"beizhu3"_s;
    QTest::newRow("expiry to next name") << u"beizhu3"_s << u"Name4"_s;
    QTest::newRow("last expiry to continue") << u"beizhu10"_s << u"Command1"_s;
}

void TestEntryWindow::enterMovesOn()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    openForEntry();
    focusBox(control(from));
    pressEnter();
    QCOMPARE(focusName(), to);
}

void TestEntryWindow::unitCheck_data()
{
    QTest::addColumn<int>("unit"); // index in the list, -1 for none
    QTest::addColumn<bool>("dropTable");
    QTest::addColumn<bool>("mainMinimized");
    QTest::addColumn<QString>("message");

    QTest::newRow("unit chosen") << 1 << false << false << QString();
    QTest::newRow("no unit") << -1 << false << false << u"请选择购货单位!"_s;
    QTest::newRow("unit without its table") << 0 << true << false << u"数据库错误，请检查数据库！"_s;
    QTest::newRow("main window minimized") << -1 << false << true << QString();
}

void TestEntryWindow::unitCheck()
{
    QFETCH(int, unit);
    QFETCH(bool, dropTable);
    QFETCH(bool, mainMinimized);
    QFETCH(QString, message);
    openWindow();
    if (dropTable)
        QVERIFY(store::dropTable(m_scratch->db(), unitA));
    QWidget main;
    main.setObjectName(u"main"_s);
    if (mainMinimized)
        main.setWindowState(Qt::WindowMinimized);
    if (!message.isEmpty())
        m_dialogs->expect(message);

    auto* unitBox = control<QComboBox>(u"Combo1"_s);
    // a character key never reaches the box: the space does not open its list
    QTest::keyClick(unitBox, Qt::Key_Space);
    QVERIFY(!unitBox->view()->isVisible());
    unitBox->setCurrentIndex(unit);
    QTest::keyClick(unitBox, Qt::Key_Tab);

    QCOMPARE(focusName(), message.isEmpty() ? u"Name1"_s : u"Combo1"_s);
    auto* unitTable = m_window->findChild<store::BoundRecordset*>(u"Data3"_s);
    QCOMPARE(unitTable->isOpen(), message.isEmpty() && unit >= 0);
    if (unitTable->isOpen())
        QCOMPARE(unitTable->table(), unitB);
}

void TestEntryWindow::unitListIsNotLeavingTheBox_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("pick"); // a unit taken from the list before the box is left

    QTest::newRow("list opened by the mouse") << u"mouse"_s << false;
    QTest::newRow("list opened by Alt+Down") << u"Alt+Down"_s << false;
    QTest::newRow("unit picked from the list") << u"Alt+Down"_s << true;
    QTest::newRow("another window activated") << u"window"_s << false;
}

void TestEntryWindow::unitListIsNotLeavingTheBox()
{
    QFETCH(QString, how);
    QFETCH(bool, pick);
    openWindow();
    auto* unitBox = control<QComboBox>(u"Combo1"_s);
    QCOMPARE(focusName(), u"Combo1"_s);

    if (how == u"window") {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(m_dialogs->shown().isEmpty());
        other.close();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
    } else {
        if (how == u"mouse")
            QTest::mouseClick(unitBox, Qt::LeftButton);
        else
            QTest::keyClick(unitBox, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(unitBox->view()->isVisible());
        QVERIFY(m_dialogs->shown().isEmpty());
        if (pick) {
            QTest::keyClick(unitBox->view(), Qt::Key_Down);
            QTest::keyClick(unitBox->view(), Qt::Key_Return);
        } else {
            QTest::keyClick(unitBox->view(), Qt::Key_Escape);
        }
        QTRY_VERIFY(!unitBox->view()->isVisible());
    }
    QTRY_COMPARE(focusName(), u"Combo1"_s);
    QVERIFY(m_dialogs->shown().isEmpty());

    // Going on to another control of the window is leaving the box: the check runs then.
    if (!pick)
        m_dialogs->expect(u"请选择购货单位!"_s);
    QTest::keyClick(unitBox, Qt::Key_Tab);
    QCOMPARE(focusName(), pick ? u"Name1"_s : u"Combo1"_s);
    QCOMPARE(m_window->findChild<store::BoundRecordset*>(u"Data3"_s)->isOpen(), pick);
}

void TestEntryWindow::lookup_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("maker");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("purchasePrice");
    QTest::addColumn<int>("choices"); // 0: the list stays hidden
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("message");

    QTest::newRow("name, one match") << u"葡萄糖注射液"_s << u"葡萄糖注射液"_s << u"双鹤"_s << u"3.00"_s << u"2.00"_s
                                     << 0 << u"Number1"_s << QString();
    QTest::newRow("code replaced by the name")
        << u"amxl2"_s << u"阿莫西林"_s << u"石药集团"_s << u"6.00"_s << u"5.10"_s << 0 << u"Number1"_s << QString();
    QTest::newRow("three matches, first filled")
        << u"阿莫西林"_s << u"阿莫西林"_s << u"华北制药"_s << u"5.50"_s << u"4.20"_s << 3 << u"Combo2"_s << QString();
    QTest::newRow("not found, row kept") << u"没有的药"_s << u"没有的药"_s << u"旧厂"_s << u"9.90"_s << u"9.00"_s << 0
                                         << u"Name1"_s << u"无此药品,请重新输入药品名!"_s;
    QTest::newRow("one character empties the row")
        << u"阿"_s << u"阿"_s << QString() << QString() << QString() << 0 << u"Number1"_s << QString();
}

void TestEntryWindow::lookup()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QString, maker);
    QFETCH(QString, price);
    QFETCH(QString, purchasePrice);
    QFETCH(int, choices);
    QFETCH(QString, focus);
    QFETCH(QString, message);
    openForEntry();
    // what the row held before
    box(u"shang"_s, 1)->setText(u"旧厂"_s);
    box(u"Danjia"_s, 1)->setText(u"9.90"_s);
    box(u"Number"_s, 1)->setText(u"4"_s);
    control<QLabel>(u"jinjia1"_s)->setText(u"9.00"_s);
    if (!message.isEmpty())
        m_dialogs->expect(message);

    focusBox(box(u"Name"_s, 1));
    commit(box(u"Name"_s, 1), typed);
    pressEnter();

    QCOMPARE(focusName(), focus);
    QCOMPARE(box(u"Name"_s, 1)->text(), name);
    QCOMPARE(box(u"shang"_s, 1)->text(), maker);
    QCOMPARE(box(u"Danjia"_s, 1)->text(), price);
    QCOMPARE(control<QLabel>(u"jinjia1"_s)->text(), purchasePrice);
    // the quantity is the clerk's, a lookup never empties it; a short name does
    QCOMPARE(box(u"Number"_s, 1)->text(), typed.size() < 2 ? QString() : u"4"_s);
    auto* list = control<QListWidget>(u"Combo2"_s);
    QCOMPARE(list->isVisible(), choices > 0);
    QCOMPARE(control<QLabel>(u"Label12"_s)->isVisible(), choices > 0);
    if (choices > 0) {
        QCOMPARE(list->count(), choices);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(list->item(0)->text(),
                 u"品名: 阿莫西林 厂家: 华北制药 单价: 5.50 单位: 盒 规格: 0.25g*24 类型: 片剂"_s);
        auto* prices = control<QListWidget>(u"List1"_s);
        QCOMPARE(prices->count(), choices);
        QCOMPARE(prices->item(2)->text(), u"6.00"_s);
        QCOMPARE(control<QLabel>(u"Label13"_s)->text(), u"1"_s);
    }
}

void TestEntryWindow::takingAChoice_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("down"); // arrow presses in the list
    QTest::addColumn<QStringList>("row"); // shang, Danjia, Money, Guige, Danwei, leixing, jinjia

    QTest::newRow("third entry, empty maker")
        << u"阿莫西林"_s << 2
        << QStringList { QString(), u"7.00"_s, u"21.00"_s, u"0.25g*36"_s, u"盒"_s, u"片剂"_s, u"6.00"_s };
    QTest::newRow("values holding spaces stay whole")
        << u"维生素C"_s << 0
        << QStringList { u"东北 制药 厂"_s, u"2.00"_s, u"6.00"_s, u"100 mg"_s, u"大 瓶"_s, u"片剂"_s, u"1.50"_s };
    QTest::newRow("second after spaces in the first")
        << u"维生素C"_s << 1
        << QStringList { u"天津药业"_s, u"1.80"_s, u"5.40"_s, u"50mg"_s, u"瓶"_s, u"片剂"_s, u"1.20"_s };
}

void TestEntryWindow::takingAChoice()
{
    QFETCH(QString, typed);
    QFETCH(int, down);
    QFETCH(QStringList, row);
    openForEntry();
    box(u"Number"_s, 2)->setText(u"3"_s);
    focusBox(box(u"Name"_s, 2));
    commit(box(u"Name"_s, 2), typed);
    pressEnter();
    QCOMPARE(focusName(), u"Combo2"_s);
    for (int i = 0; i < down; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    pressEnter();

    QCOMPARE(focusName(), u"Number2"_s);
    QVERIFY(!control<QListWidget>(u"Combo2"_s)->isVisible());
    const QStringList shown { box(u"shang"_s, 2)->text(),           box(u"Danjia"_s, 2)->text(),
                              box(u"Money"_s, 2)->text(),           box(u"Guige"_s, 2)->text(),
                              box(u"Danwei"_s, 2)->text(),          box(u"leixing"_s, 2)->text(),
                              control<QLabel>(u"jinjia2"_s)->text() };
    QCOMPARE(shown, row);
    QCOMPARE(box(u"Name"_s, 2)->text(), typed);
}

void TestEntryWindow::amounts_data()
{
    QTest::addColumn<QString>("medicine"); // empty: no lookup, no purchase price
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price"); // put in as pasted, past the key filter
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("asks");

    // 葡萄糖注射液 costs 2.00
    QTest::newRow("12 x 3.5") << u"葡萄糖注射液"_s << u"12"_s << u"3.5"_s << u"42.00"_s << false;
    QTest::newRow("equal to the purchase price") << u"葡萄糖注射液"_s << u"3"_s << u"2"_s << u"6.00"_s << false;
    QTest::newRow("below the purchase price") << u"葡萄糖注射液"_s << u"3"_s << u"1.99"_s << u"5.97"_s << true;
    QTest::newRow("price left empty") << u"葡萄糖注射液"_s << u"3"_s << QString() << u"旧"_s << true;
    QTest::newRow("no medicine looked up") << QString() << u"3"_s << u"0.5"_s << u"1.50"_s << false;
    QTest::newRow("lone point") << QString() << u"3"_s << u"."_s << u"旧"_s << false;
    QTest::newRow("two points") << u"葡萄糖注射液"_s << u"3"_s << u"2.5.1"_s << u"旧"_s << false;
    QTest::newRow("pasted words") << QString() << u"3"_s << u"三元"_s << u"旧"_s << false;
}

void TestEntryWindow::amounts()
{
    QFETCH(QString, medicine);
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, amount);
    QFETCH(bool, asks);
    openForEntry();
    if (!medicine.isEmpty()) {
        focusBox(box(u"Name"_s, 1));
        commit(box(u"Name"_s, 1), medicine);
        pressEnter();
    }
    focusBox(box(u"Number"_s, 1));
    QTest::keyClicks(box(u"Number"_s, 1), quantity);
    pressEnter();
    box(u"Money"_s, 1)->setText(u"旧"_s);
    box(u"Danjia"_s, 1)->setText(price);
    if (asks)
        m_dialogs->expect(u"低于进价 2.00 ,是否修改?"_s, platform::Answer::No);
    pressEnter();

    QCOMPARE(box(u"Money"_s, 1)->text(), amount);
    QCOMPARE(focusName(), u"date1"_s);
    if (asks) {
        QCOMPARE(m_dialogs->last().prompt.buttons, platform::Buttons::YesNo);
        QCOMPARE(m_dialogs->last().prompt.icon, platform::Icon::Question);
    }
}

void TestEntryWindow::priceQuestionRepeats()
{
    openForEntry();
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"5"_s);
    const QString question = u"低于进价 2.00 ,是否修改?"_s;

    focusBox(box(u"Danjia"_s, 1));
    box(u"Danjia"_s, 1)->clear();
    QTest::keyClicks(box(u"Danjia"_s, 1), u"1.5"_s);
    m_dialogs->expect(question, platform::Answer::Yes);
    pressEnter();
    QCOMPARE(focusName(), u"Danjia1"_s);
    QCOMPARE(box(u"Money"_s, 1)->text(), u"3.00"_s);

    // still below when it is left again: asked again; No keeps the price
    m_dialogs->expect(question, platform::Answer::No);
    QTest::keyClick(box(u"Danjia"_s, 1), Qt::Key_Tab);
    QCOMPARE(focusName(), u"Money1"_s);
    QCOMPARE(box(u"Danjia"_s, 1)->text(), u"1.5"_s);
}

void TestEntryWindow::messagesDoNotChaseEachOther()
{
    openForEntry();
    QVERIFY(store::dropTable(m_scratch->db(), unitA));
    commit(box(u"Name"_s, 1), u"没有的药"_s);
    // the focus goes back to the name box from the unit box, whose own check would fail as well
    m_dialogs->expect(u"无此药品,请重新输入药品名!"_s);
    control<QComboBox>(u"Combo1"_s)->setFocus(Qt::MouseFocusReason);

    QCOMPARE(focusName(), u"Name1"_s);
    QCOMPARE(m_dialogs->shown().size(), 1);
}

void TestEntryWindow::continueAndFinish()
{
    openForEntry();

    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    keyRow(2, u"amxl"_s, u"1"_s, u"5.5"_s);
    keyRow(3, u"on"_s, u"1"_s, u"12"_s);
    QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);
    QCOMPARE(focusName(), u"Name1"_s);
    for (int r = 1; r <= 3; ++r)
        QVERIFY(box(u"Name"_s, r)->text().isEmpty());
    QVERIFY(control<QLabel>(u"jinjia1"_s)->text().isEmpty());
    QCOMPARE(control<QLabel>(u"Label15"_s)->text(), u"3"_s);
    QCOMPARE(control<QLabel>(u"Label31"_s)->text(), u"23.5"_s);

    keyRow(1, u"葡萄糖注射液"_s, u"1"_s, u"3"_s);
    keyRow(2, u"葡萄糖注射液"_s, u"1"_s, u"3"_s);
    focusBox(control<QPushButton>(u"Command1"_s));
    pressEnter();
    QCOMPARE(control<QLabel>(u"Label15"_s)->text(), u"12"_s);
    QCOMPARE(control<QLabel>(u"Label31"_s)->text(), u"29.5"_s);

    keyRow(1, u"葡萄糖注射液"_s, u"1"_s, u"3"_s);
    keyRow(2, u"amxl2"_s, u"1"_s, u"6"_s);
    keyRow(5, u"amxl3"_s, u"2"_s, u"7"_s);
    QTest::mouseClick(control<QPushButton>(u"Command2"_s), Qt::LeftButton);
    QVERIFY(!m_window || !m_window->isEnabled());
    QTRY_VERIFY(!m_window);

    const QList<QStringList> records = m_scratch->rows(unitA);
    QStringList names;
    for (const QStringList& record : records)
        names << record.at(3);
    QCOMPARE(names,
             (QStringList { u"葡萄糖注射液"_s, u"阿莫西林"_s, u"O'Neil贴"_s, u"葡萄糖注射液"_s, u"葡萄糖注射液"_s,
                            u"葡萄糖注射液"_s, u"阿莫西林"_s, u"阿莫西林"_s }));
    QCOMPARE(records.first().mid(0, 3), (QStringList { u" 2004"_s, u" 7"_s, u" 5"_s }));
    QCOMPARE(records.last().mid(4, 4), (QStringList { QString(), u"2"_s, u"7.00"_s, u"14.00"_s }));
    QVERIFY(m_scratch->rows(unitB).isEmpty());
    QCOMPARE(m_scratch->rows(u"流水号"_s).value(0).value(0), u"2"_s);

    const transaction::WorkingSet& set = workingSet();
    QCOMPARE(set.TransactionLines[23].name, u"阿莫西林"_s);
    QCOMPARE(set.SerialText, u"XH00000000001Q"_s);
    QCOMPARE(set.CustomerUnit, unitA);
    QCOMPARE(set.TotalAmount, 52.5);
    QCOMPARE(set.TotalInWords, u"伍拾贰元伍角整"_s);
    QCOMPARE(lastLog(), u"制单员张三完成与仁和药店的交易。"_s);
}

void TestEntryWindow::failedFinishKeepsThePage()
{
    openForEntry();
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    QVERIFY(store::dropTable(m_scratch->db(), unitA));
    m_dialogs->expect(u"找不到该单位的交易表，本次交易未保存，请检查数据库！"_s);

    QTest::mouseClick(control<QPushButton>(u"Command2"_s), Qt::LeftButton);
    QVERIFY(m_window);
    QVERIFY(m_window->isEnabled());
    QCOMPARE(focusName(), u"Combo1"_s);
    QCOMPARE(box(u"Name"_s, 1)->text(), u"葡萄糖注射液"_s);
    QCOMPARE(workingSet().NextLine, 1);
    QVERIFY(workingSet().SerialText.isEmpty());
    QCOMPARE(m_scratch->rows(u"流水号"_s).value(0).value(0), u"1"_s);
    QCOMPARE(lastLog(), u"制单员张三进入新交易（入库）页面。"_s);
}

void TestEntryWindow::leaving_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<QString>("log");
    QTest::newRow("cancel, OK") << u"OK"_s << true << true << u"制单员张三退出新交易（入库）页面。"_s;
    QTest::newRow("cancel, Cancel") << u"Cancel"_s << false << false << u"制单员张三进入新交易（入库）页面。"_s;
    QTest::newRow("close box") << u"close"_s << true << false << u"制单员张三进入新交易（入库）页面。"_s;
}

void TestEntryWindow::leaving()
{
    QFETCH(QString, how);
    QFETCH(bool, closes);
    QFETCH(bool, cleared);
    QFETCH(QString, log);
    openForEntry();
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);
    QVERIFY(workingSet().hasContent());

    if (how == u"close") {
        m_window->close();
    } else {
        m_dialogs->expect(u"真的要取消本次交易吗?"_s, how == u"OK" ? platform::Answer::Ok : platform::Answer::Cancel);
        QTest::mouseClick(control<QPushButton>(u"Command3"_s), Qt::LeftButton);
    }
    if (closes)
        QTRY_VERIFY(!m_window);
    else
        QVERIFY(m_window->isVisible());
    QCOMPARE(workingSet().hasContent(), !cleared);
    QCOMPARE(lastLog(), log);
}

void TestEntryWindow::notStoredSales()
{
    // an earlier stored sale left a purchase price on line 1; clearing keeps purchase prices
    workingSet().TransactionLines[1].purchasePrice = u"2.00"_s;
    workingSet().StoredFlag = true;
    for (const QString& serial : { u"XH00000000001Q"_s, u"XH00000000002Q"_s }) {
        openWindow(serial.endsWith(u"1Q"), EntryVariant::notStored());
        chooseUnit(0);
        QCOMPARE(m_window->objectName(), u"xdjy1"_s);
        QCOMPARE(control<QPushButton>(u"Command1"_s)->text(), u"继续--不入库"_s);
        QCOMPARE(control<QPushButton>(u"Command2"_s)->text(), u"完成--不入库"_s);
        QVERIFY(!m_window->findChild<QLabel*>(u"jinjia1"_s));
        QVERIFY(!m_window->findChild<QListWidget*>(u"List1"_s));

        // below the purchase price of 2.00, and no question is asked
        keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"1.5"_s);
        QCOMPARE(box(u"Money"_s, 1)->text(), u"3.00"_s);
        QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);
        QCOMPARE(control<QLabel>(u"Label18"_s)->text(), u"3"_s);
        keyRow(1, u"amxl"_s, u"1"_s, u"5.5"_s);
        QTest::mouseClick(control<QPushButton>(u"Command2"_s), Qt::LeftButton);
        QTRY_VERIFY(!m_window);

        const transaction::WorkingSet& set = workingSet();
        QCOMPARE(set.SerialText, serial);
        QVERIFY(!set.StoredFlag);
        QCOMPARE(set.CustomerUnit, unitA);
        QCOMPARE(set.TotalAmount, 8.5);
        QVERIFY(set.TransactionLines[1].purchasePrice.isEmpty());
        QVERIFY(set.TransactionLines[11].purchasePrice.isEmpty());
        QCOMPARE(set.TransactionLines[11].name, u"阿莫西林"_s);
        QCOMPARE(lastLog(), u"制单员张三完成与仁和药店的交易(不入库)。"_s);
        QVERIFY(m_scratch->rows(unitA).isEmpty());
    }
    QCOMPARE(m_scratch->rows(u"流水号"_s).value(0).value(0), u"3"_s);
}

void TestEntryWindow::savingAndReading()
{
    platform::setDataFolder(m_scratch->folder());
    openForEntry();
    transaction::WorkingSet& set = workingSet();
    for (int i = 1; i <= 10; ++i) {
        set.TransactionLines[static_cast<size_t>(i)].name = u"葡萄糖注射液"_s;
        set.TransactionLines[static_cast<size_t>(i)].amount = u"1.00"_s;
    }
    set.NextLine = 11;
    keyRow(1, u"葡萄糖注射液"_s, u"2"_s, u"3"_s);
    keyRow(2, u"amxl"_s, u"1"_s, u"5.5"_s);
    keyRow(3, u"on"_s, u"1"_s, u"12"_s);

    QTest::mouseClick(control<QPushButton>(u"Command5"_s), Qt::LeftButton);
    QVERIFY(QFile::exists(QDir(m_scratch->folder()).filePath(u"仁和药店.dat"_s)));
    QCOMPARE(set.NextLine, 11);
    QVERIFY(set.TransactionLines[11].name.isEmpty());
    QCOMPARE(box(u"Name"_s, 2)->text(), u"阿莫西林"_s);

    // read back over a working set that has moved on: the saved rows are lines 11 to 13, the page is left alone
    set.ClearLines();
    QTest::mouseClick(control<QPushButton>(u"Command4"_s), Qt::LeftButton);
    QCOMPARE(set.NextLine, 14);
    QCOMPARE(set.TransactionLines[12].name, u"阿莫西林"_s);
    QCOMPARE(set.TransactionLines[12].unitPrice, u"5.5"_s);
    QCOMPARE(set.TransactionLines[11].purchasePrice, u"2.00"_s);
    QCOMPARE(set.CustomerUnit, unitA);
    QCOMPARE(control<QLabel>(u"Label15"_s)->text(), u"13"_s);
    QCOMPARE(control<QLabel>(u"Label31"_s)->text(), u"33.5"_s);
    QCOMPARE(box(u"Name"_s, 3)->text(), u"O'Neil贴"_s);

    // the unit box names the file: another unit that was never saved
    chooseUnit(1);
    m_dialogs->expect(QString::fromUtf16(transaction::entryReadFailed));
    QTest::mouseClick(control<QPushButton>(u"Command4"_s), Qt::LeftButton);
    QVERIFY(!set.hasContent());
    QCOMPARE(control<QLabel>(u"Label31"_s)->text(), u"0"_s);
}

void TestEntryWindow::mainWindowFileCommands()
{
    platform::setDataFolder(m_scratch->folder());
    addUnits();
    shell::MainWindow main(m_scratch->db());
    shell::wireEntryCommands(main, m_scratch->db());
    shell::wireTransactionFileCommands(main, m_scratch->db());

    m_dialogs->expect(u"无保存内容,无法保存!"_s);
    main.runCommand(u"保存交易"_s);
    QVERIFY(m_dialogs->verifyDone());

    transaction::WorkingSet& set = workingSet();
    for (int i = 1; i <= 12; ++i)
        set.TransactionLines[static_cast<size_t>(i)].name = u"药品%1"_s.arg(i);
    set.CustomerUnit = unitB;
    main.runCommand(u"保存交易"_s);
    const QString path = QDir(m_scratch->folder()).filePath(u"同济医院.dat"_s);
    QVERIFY(QFile::exists(path));

    m_dialogs->expectOpenFile({});
    main.runCommand(u"读取交易"_s);
    const auto dialog = m_dialogs->last();
    QCOMPARE(dialog.prompt.title, u"Quenvale"_s);
    QCOMPARE(dialog.prompt.text, u"存盘文件*.dat (*.dat)"_s);
    QCOMPARE(dialog.defaultText, m_scratch->folder());
    QCOMPARE(set.NextLine, 1);

    m_dialogs->expectOpenFile(path);
    main.runCommand(u"读取交易"_s);
    QCOMPARE(set.NextLine, 13);
    QCOMPARE(set.SerialText, u"XH00000000001Q"_s);

    // the entry window reads the file of the unit it shows
    main.runCommand(u"newa"_s);
    m_window = qobject_cast<EntryWindow*>(platform::topLevelWindow(u"xdjy"_s));
    QVERIFY(QTest::qWaitForWindowActive(m_window.data()));
    QTRY_COMPARE(lastLog(), u"制单员张三进入新交易（入库）页面。"_s);
    chooseUnit(1);
    QTest::mouseClick(control<QPushButton>(u"Command4"_s), Qt::LeftButton);
    QCOMPARE(set.TransactionLines[12].name, u"药品12"_s);
    QCOMPARE(set.NextLine, 13);
    QCOMPARE(control<QLabel>(u"Label15"_s)->text(), u"12"_s);
    QCOMPARE(control<QComboBox>(u"Combo1"_s)->currentText(), unitB);

    QFile::resize(path, 100);
    m_dialogs->expectOpenFile(path);
    m_dialogs->expect(QString::fromUtf16(transaction::mainReadFailed));
    main.runCommand(u"读取交易"_s);
    QVERIFY(!set.hasContent());
    QCOMPARE(m_scratch->rows(u"流水号"_s).value(0).value(0), u"2"_s);
}

QTEST_MAIN(TestEntryWindow)
#include "test_entry_window.moc"
