#include "platform/top_level_windows.h"
#include "platform/twips.h"
#include "shell/letterhead.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "store/schema.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "transaction/working_set.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QtMath>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using shell::MainWindow;

namespace {

struct MenuRow
{
    const char16_t* menu; ///< the submenu holding the entry; empty for the menu bar
    const char16_t* name;
    const char16_t* caption;
    const char16_t* shortcut;
};

// The whole menu bar in menu order.
constexpr MenuRow menuRows[] = {
    { u"", u"file", u"文件(&F)", u"" },
    { u"file", u"读取交易", u"读取交易(&O)", u"Ctrl+O" },
    { u"file", u"保存交易", u"保存交易(&S)", u"Ctrl+S" },
    { u"file", u"dysz", u"打印设置(&U)", u"Ctrl+F" },
    { u"file", u"print", u"打印(&P)", u"Ctrl+P" },
    { u"file", u"dyyl", u"打印预览(&V)", u"" },
    { u"file", u"djwjj", u"打开单据文件夹(&D)", u"" },
    { u"file", u"清空", u"清空(&C)", u"Ctrl+C" },
    { u"file", u"exit", u"退出(&X)", u"Ctrl+Q" },
    { u"", u"edit", u"新建(&E)", u"" },
    { u"edit", u"newa", u"开始新交易(&N)", u"Ctrl+N" },
    { u"edit", u"新药品", u"建立新药品档案(&N)", u"" },
    { u"edit", u"新单位", u"建立新单位档案(&C)", u"" },
    { u"edit", u"添加新用户", u"添加制单员(&N)", u"" },
    { u"", u"查询", u"查询(&L)", u"" },
    { u"查询", u"查看交易记录", u"查看以往交易(&L)", u"Ctrl+L" },
    { u"查询", u"交易明细", u"交易明细(&T)", u"" },
    { u"查询", u"查看药品档案", u"查看药品档案(&Y)", u"" },
    { u"查询", u"查看单位档案", u"查看单位档案(&D)", u"" },
    { u"查询", u"查看本次交易1", u"查看本次交易(&B)", u"Ctrl+K" },
    { u"查询", u"交易利润1", u"查看本次交易利润(&I)", u"Ctrl+I" },
    { u"", u"modi", u"修改(&M)", u"" },
    { u"modi", u"修改购药单位", u"修改购药单位(&G)", u"Ctrl+E" },
    { u"modi", u"修改药", u"修改药品档案(&M)", u"Ctrl+G" },
    { u"modi", u"修改单位", u"修改单位档案(&C)", u"" },
    { u"modi", u"修改标题", u"修改标题(&T)", u"" },
    { u"modi", u"密码修改", u"密码修改(&P)", u"" },
    { u"密码修改", u"超级用户1", u"系统管理员(&S)", u"" },
    { u"超级用户1", u"超级用户", u"超级用户密码修改(&P)", u"" },
    { u"超级用户1", u"普通用户1", u"普通用户密码修改(&G)", u"" },
    { u"密码修改", u"普通用户", u"普通用户密码修改(&X)", u"" },
    { u"", u"tj", u"数据统计(&C)", u"" },
    { u"tj", u"按月统计", u"按月统计(&M)", u"Ctrl+M" },
    { u"tj", u"按年统计", u"按年统计(&Y)", u"Ctrl+Y" },
    { u"tj", u"单位数统计", u"单位数统计(&D)", u"" },
    { u"tj", u"dwtj", u"药品销售统计(&C)", u"Ctrl+A" },
    { u"tj", u"yptj", u"药品总数统计(&A)", u"" },
    { u"tj", u"salesChart", u"销售图表(&T)", u"" },
    { u"", u"system", u"系统维护(&S)", u"" },
    { u"system", u"删除制单员", u"删除制单员(&X)", u"Ctrl+X" },
    { u"system", u"删除药品", u"删除药品(&Y)", u"Ctrl+D" },
    { u"system", u"删除单位", u"删除单位(&D)", u"" },
    { u"system", u"backup", u"数据备份(&B)", u"Ctrl+B" },
    { u"system", u"导入数据", u"导入数据(&L)", u"Ctrl+Z" },
    { u"system", u"操作日志", u"操作日志(&R)", u"" },
    { u"system", u"options", u"选项(&O)", u"" },
    { u"", u"help", u"帮助(&H)", u"" },
    { u"help", u"helpzt", u"帮助主题(&H)", u"" },
    { u"help", u"技术支持", u"技术支持(&T)", u"" },
    { u"help", u"aboutus", u"关于....(&A)", u"Ctrl+H" },
    { u"help", u"hompage", u"访问主页(&W)", u"Ctrl+W" },
};

/** Object names of every entry under a menu, depth first, in menu order. */
void collectEntries(const QList<QAction*>& actions, QStringList& names)
{
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        names << action->objectName();
        if (action->menu())
            collectEntries(action->menu()->actions(), names);
    }
}

} // namespace

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void title_data();
    void title();
    void loadingSetsStoredFlagAndReadsSerial();
    void menuEntries_data();
    void menuEntries();
    void menuOrder();
    void controlPlacement_data();
    void controlPlacement();
    void commands_data();
    void commands();
    void keepsPlace();
    void keepsSize_data();
    void keepsSize();
    void minimizedWindowIsLeftWhereItIs();
    void minimizingHidesEntryWindows();

private:
    /** The main window over the delivered database, shown and exposed. */
    void showOverDeliveredDatabase();

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    shell::lifecycleHooks() = {};
    shell::setLetterhead(u"前一次运行"_s);
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    m_scratch.reset();
    m_timers.reset();
}

void TestMainWindow::showOverDeliveredDatabase()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    m_window = std::make_unique<MainWindow>(m_scratch->db());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindow::title_data()
{
    QTest::addColumn<QList<QStringList>>("letterheads"); // the rows of table 抬头
    QTest::addColumn<QString>("expectedTitle");
    QTest::addColumn<QString>("expectedLetterhead");

    const QString delivered = QString::fromUtf16(store::delivered::letterhead);
    QTest::newRow("delivered letterhead")
        << QList<QStringList> { { delivered } } << delivered + u"Quenvale"_s << delivered;
    QTest::newRow("first of two records") << QList<QStringList> { { u"康宁医药公司"_s }, { u"第二条"_s } }
                                          << u"康宁医药公司Quenvale"_s << u"康宁医药公司"_s;
    QTest::newRow("empty text") << QList<QStringList> { { QString() } } << u"Quenvale"_s << QString();
    QTest::newRow("empty table") << QList<QStringList> {} << u"Quenvale"_s << QString();
}

void TestMainWindow::title()
{
    QFETCH(QList<QStringList>, letterheads);
    QFETCH(QString, expectedTitle);
    QFETCH(QString, expectedLetterhead);

    m_scratch = std::make_unique<testsupport::ScratchDatabase>();
    m_scratch->createTable(u"抬头"_s, { u"抬头"_s }, letterheads);
    m_scratch->createTable(u"流水号"_s, { u"流水号"_s }, { { u"1"_s } });
    m_window = std::make_unique<MainWindow>(m_scratch->db());
    QCOMPARE(m_window->windowTitle(), u"Quenvale"_s);

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_COMPARE(m_window->windowTitle(), expectedTitle);
    QCOMPARE(shell::Letterhead(), expectedLetterhead);

    // shown again (as after a restore), the letterhead is not put in front a second time
    m_window->hide();
    m_window->show();
    auto* timer = m_window->findChild<QTimer*>(u"Timer2"_s);
    QVERIFY(timer);
    QTRY_VERIFY(!timer->isActive());
    QCOMPARE(m_window->windowTitle(), expectedTitle);
}

void TestMainWindow::loadingSetsStoredFlagAndReadsSerial()
{
    transaction::workingSet().StoredFlag = false;
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    m_window = std::make_unique<MainWindow>(m_scratch->db());

    QVERIFY(transaction::workingSet().StoredFlag);
    auto* serial = m_window->findChild<QLabel*>(u"Label4"_s);
    QVERIFY(serial);
    QCOMPARE(serial->text(), QString::fromUtf16(store::delivered::firstSerial));
    QVERIFY(serial->isHidden());
}

void TestMainWindow::menuEntries_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");

    for (const MenuRow& row : menuRows) {
        const QString name = QString::fromUtf16(row.name);
        QTest::newRow(name.toUtf8().constData()) << QString::fromUtf16(row.menu) << name
                                                 << QString::fromUtf16(row.caption) << QString::fromUtf16(row.shortcut);
    }
}

void TestMainWindow::menuEntries()
{
    QFETCH(QString, menu);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);

    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    m_window = std::make_unique<MainWindow>(m_scratch->db());

    QAction* entry = m_window->menuEntry(name);
    QVERIFY(entry);
    QCOMPARE(entry->text(), caption);
    QCOMPARE(entry->shortcut().toString(QKeySequence::PortableText), shortcut);
    QVERIFY(entry->isEnabled());

    const QList<QAction*> siblings
        = menu.isEmpty() ? m_window->menuBar()->actions() : m_window->menuBar()->findChild<QMenu*>(menu)->actions();
    QVERIFY2(siblings.contains(entry), "the entry is not in its menu");
}

void TestMainWindow::menuOrder()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    m_window = std::make_unique<MainWindow>(m_scratch->db());

    QStringList expected;
    for (const MenuRow& row : menuRows)
        expected << QString::fromUtf16(row.name);
    QStringList shown;
    collectEntries(m_window->menuBar()->actions(), shown);
    QCOMPARE(shown, expected);
}

void TestMainWindow::controlPlacement_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("toolTip");

    const auto row = [](const QString& name, const QString& container, QRect twips, const QString& toolTip = {}) {
        QTest::newRow(name.toUtf8().constData()) << name << container << twips << toolTip;
    };
    const QString client;
    const QString strip = u"Picture1"_s;
    row(u"Picture1"_s, client, { 0, 0, 11880, 735 });
    row(u"Frame1"_s, client, { 120, 840, 11655, 6375 });
    row(u"Label5"_s, client, { 105, 7320, 11610, 240 });
    row(u"Image10"_s, strip, { 120, 240, 480, 480 }, u"版权说明"_s);
    row(u"Image1"_s, strip, { 840, 120, 510, 510 }, u"新交易=入库"_s);
    row(u"Image2"_s, strip, { 1440, 120, 510, 510 }, u"新交易=不入库"_s);
    row(u"Image15"_s, strip, { 2040, 120, 510, 510 }, u"查看本次交易"_s);
    row(u"Image14"_s, strip, { 2640, 120, 510, 510 }, u"打印"_s);
    row(u"Image4"_s, strip, { 3360, 120, 510, 510 }, u"建立新药品档案"_s);
    row(u"Look"_s, strip, { 3960, 120, 510, 510 }, u"历史交易查看"_s);
    row(u"Image6"_s, strip, { 4560, 120, 510, 510 }, u"修改药品档案"_s);
    row(u"Image5"_s, strip, { 5160, 120, 510, 510 }, u"建立新客户档案"_s);
    row(u"Image7"_s, strip, { 5880, 120, 510, 510 }, u"药品销售统计"_s);
    row(u"Image8"_s, strip, { 6480, 120, 510, 510 }, u"药品总数统计"_s);
    row(u"Image3"_s, strip, { 7080, 120, 510, 510 }, u"数据备份"_s);
    row(u"Image9"_s, strip, { 7920, 120, 510, 510 }, u"帮助主题"_s);
    row(u"Image11"_s, strip, { 8520, 120, 510, 510 }, u"退出系统"_s);
    row(u"Image12"_s, strip, { 9600, 120, 1830, 480 });
}

void TestMainWindow::controlPlacement()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(QString, toolTip);

    showOverDeliveredDatabase();
    auto* control = m_window->findChild<QWidget*>(name);
    QVERIFY(control);
    QWidget* expectedParent
        = container.isEmpty() ? m_window->centralWidget() : m_window->findChild<QWidget*>(container);
    QCOMPARE(control->parentWidget(), expectedParent);
    QCOMPARE(control->geometry(), platform::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QCOMPARE(control->toolTip(), toolTip);
    QVERIFY(control->isVisible());
}

void TestMainWindow::commands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("expectedRuns");

    QTest::newRow("menu entry") << u"newa"_s << u"trigger"_s << 1;
    QTest::newRow("entry three menus deep") << u"超级用户"_s << u"trigger"_s << 1;
    QTest::newRow("shortcut") << u"newa"_s << u"Ctrl+N"_s << 1;
    QTest::newRow("toolbar image") << u"Image1"_s << u"click"_s << 1;
    QTest::newRow("image beside a disabled entry") << u"Look"_s << u"click"_s << 1;
    QTest::newRow("released outside the image") << u"Image1"_s << u"drag off"_s << 0;
}

void TestMainWindow::commands()
{
    QFETCH(QString, command);
    QFETCH(QString, way);
    QFETCH(int, expectedRuns);

    showOverDeliveredDatabase();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    int runs = 0;
    int otherRuns = 0;
    m_window->setCommand(command, [&runs] { ++runs; });
    m_window->setCommand(u"print"_s, [&otherRuns] { ++otherRuns; });
    // a clerk's sign-in disables entries such as this one; the toolbar keeps working
    m_window->menuEntry(u"查看交易记录"_s)->setEnabled(false);

    if (way == u"trigger"_s) {
        m_window->menuEntry(command)->trigger();
    } else if (way == u"click"_s) {
        QTest::mouseClick(m_window->findChild<QWidget*>(command), Qt::LeftButton);
    } else if (way == u"drag off"_s) {
        auto* image = m_window->findChild<QWidget*>(command);
        QTest::mousePress(image, Qt::LeftButton);
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(image->width() + 5, image->height() / 2));
    } else {
        QTest::keySequence(m_window.get(), QKeySequence(way));
    }
    QCOMPARE(runs, expectedRuns);
    QCOMPARE(otherRuns, 0);
}

void TestMainWindow::keepsPlace()
{
    showOverDeliveredDatabase();
    const QScreen* screen = m_window->screen();
    const QRect available = screen->availableGeometry();
    if (available.contains(QRect(MainWindow::fixedPlace, m_window->frameGeometry().size()))) {
        QCOMPARE(m_window->pos(), MainWindow::fixedPlace);
    } else {
        // A screen too small for the fixed place, as with display scaling. Checked in the screen's own pixels, where
        // a fractional scale rounds; the window is moved up no further than needed.
        const qreal ratio = screen->devicePixelRatio();
        const QRect deviceArea(
            QPoint(qCeil(available.left() * ratio), qCeil(available.top() * ratio)),
            QPoint(qFloor((available.right() + 1) * ratio) - 1, qFloor((available.bottom() + 1) * ratio) - 1));
        const QRect frame = m_window->frameGeometry();
        const QRect deviceFrame(QPoint(qRound(frame.left() * ratio), qRound(frame.top() * ratio)),
                                QSize(qRound(frame.width() * ratio), qRound(frame.height() * ratio)));
        QVERIFY2(deviceArea.contains(deviceFrame), "the window runs off the screen");
        QCOMPARE(m_window->pos().x(), MainWindow::fixedPlace.x());
        QVERIFY(deviceArea.bottom() - deviceFrame.bottom() <= 2);
    }
    const QPoint place = m_window->pos();

    m_window->move(200, 40);
    QTRY_COMPARE(m_window->pos(), place);
    m_window->windowHandle()->setFramePosition(QPoint(150, 20));
    // the window system reports the move with an event of its own
    QCoreApplication::processEvents();
    QTRY_COMPARE(m_window->pos(), place);
}

void TestMainWindow::keepsSize_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QSize>("requested");

    QTest::newRow("program, larger") << u"program"_s << QSize(1000, 700);
    QTest::newRow("program, smaller") << u"program"_s << QSize(300, 200);
    // a window manager need not respect the size limits it is given
    QTest::newRow("window system, larger") << u"window system"_s << QSize(1000, 700);
    QTest::newRow("window system, smaller") << u"window system"_s << QSize(300, 200);
    QTest::newRow("maximized") << u"maximize"_s << QSize();
}

void TestMainWindow::keepsSize()
{
    QFETCH(QString, way);
    QFETCH(QSize, requested);

    showOverDeliveredDatabase();
    // 12000 x 8430 twips with the menu bar
    QCOMPARE(m_window->size(), QSize(800, 562));
    QWidget* client = m_window->centralWidget();
    QCOMPARE(client->geometry().bottom() + 1, m_window->height());
    QCOMPARE(client->width(), m_window->width());
    // the work area and the banner stay whole within it
    for (const char16_t* name : { u"Frame1", u"Label5" }) {
        auto* control = client->findChild<QWidget*>(QString::fromUtf16(name));
        QVERIFY(client->rect().contains(control->geometry()));
    }
    const QPoint place = m_window->pos();

    if (way == u"program"_s)
        m_window->resize(requested);
    else if (way == u"window system"_s)
        m_window->windowHandle()->resize(requested);
    else
        m_window->setWindowState(Qt::WindowMaximized);
    // the window system reports the new size with an event of its own
    QCoreApplication::processEvents();
    QTRY_COMPARE(m_window->size(), QSize(800, 562));
    QTRY_VERIFY(!m_window->isMaximized());
    QTRY_COMPARE(m_window->pos(), place);
    QCOMPARE(client->width(), m_window->width());
}

void TestMainWindow::minimizedWindowIsLeftWhereItIs()
{
    showOverDeliveredDatabase();
    const QPoint place = m_window->pos();
    m_window->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(m_window->isMinimized());
    m_window->move(200, 40);
    QCOMPARE(m_window->pos(), QPoint(200, 40));

    m_window->setWindowState(Qt::WindowNoState);
    QTRY_COMPARE(m_window->pos(), place);
}

void TestMainWindow::minimizingHidesEntryWindows()
{
    showOverDeliveredDatabase();
    QWidget entry;
    entry.setObjectName(u"xdjy"_s);
    QWidget statistics;
    statistics.setObjectName(u"dwtj1"_s);
    QWidget other;
    other.setObjectName(u"Form7"_s);
    for (QWidget* window : { &entry, &statistics, &other }) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    const qsizetype windowCount = QApplication::topLevelWidgets().size();

    m_window->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(entry.isHidden());
    QVERIFY(statistics.isHidden());
    QVERIFY(other.isVisible());
    // the windows that are not open are not made
    QCOMPARE(QApplication::topLevelWidgets().size(), windowCount);
    QVERIFY(!platform::topLevelWindow(u"xdjy1"_s));
    QVERIFY(!platform::topLevelWindow(u"yptj1"_s));

    m_window->setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(!m_window->isMinimized());
    QVERIFY(entry.isHidden());
    QVERIFY(statistics.isHidden());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
