#include "platform/data_folder.h"
#include "platform/database.h"
#include "platform/print_choice.h"
#include "platform/printer_page_sink.h"
#include "platform/top_level_windows.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/wiring.h"
#include "slip/pdf_facts.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/current_user.h"
#include "users/password_encoding.h"

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

namespace {

const QString unit = u"康泰药房"_s;
const QDateTime saleMoment(QDate(2004, 7, 5), QTime(10, 15, 0));

} // namespace

/**
 * One stored sale from the sign-in to the restore of a backup, through the windows as a user works them: every step
 * finds what the step before it left.
 */
class TestRoadOfASale final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void storedSale();
    void clerkReachesHistoryThroughLook();

private:
    void signIn(const QString& userName = u"super"_s, const QString& password = u"888888"_s);
    void addUnit();
    void addMedicine();
    void keyAndFinishSale();
    void printToPdf();
    void lookAtHistory();
    void monthlyTotal();
    void backUpChangeAndRestore();
    /** Picks an entry of a drop-down list as a mouse does. */
    void choose(QWidget* window, const QString& box, const QString& item);

    shell::MainWindow& main() const { return m_startup->mainWindow(); }
    /** The window that the command opened; the test fails when it did not open. */
    QWidget* run(const QString& command, const QString& window);
    template<typename T = QLineEdit> T* control(QWidget* window, const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        if (!found)
            qWarning("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
        return found;
    }
    /** Types as a Chinese keyboard delivers: one key event a character. */
    void type(QWidget* window, const QString& box, const QString& text);
    void click(QWidget* window, const QString& button)
    {
        QTest::mouseClick(control<QPushButton>(window, button), Qt::LeftButton);
    }

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeLauncher> m_launcher;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<shell::Startup> m_startup;
};

void TestRoadOfASale::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_launcher = std::make_unique<testsupport::FakeLauncher>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_clock = std::make_unique<testsupport::FakeClock>(saleMoment);
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    platform::setDataFolder(m_scratch->folder());
    shell::lifecycleHooks() = {};
}

void TestRoadOfASale::cleanup()
{
    QString problem;
    const bool dialogsDone = m_dialogs->verifyDone(&problem);
    m_startup.reset();
    shell::lifecycleHooks() = {};
    users::setCurrentUser({});
    platform::setDataFolder({});
    m_scratch.reset();
    m_clock.reset();
    m_dialogs.reset();
    m_launcher.reset();
    m_timers.reset();
    QVERIFY2(dialogsDone, qPrintable(problem));
}

QWidget* TestRoadOfASale::run(const QString& command, const QString& window)
{
    main().runCommand(command);
    QWidget* opened = platform::topLevelWindow(window);
    if (!opened || !QTest::qWaitForWindowExposed(opened)) {
        qWarning("%s did not open %s", qPrintable(command), qPrintable(window));
        return nullptr;
    }
    return opened;
}

void TestRoadOfASale::type(QWidget* window, const QString& box, const QString& text)
{
    auto* found = control<QLineEdit>(window, box);
    QVERIFY(found);
    found->setFocus();
    found->selectAll();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, found, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void TestRoadOfASale::choose(QWidget* window, const QString& box, const QString& item)
{
    auto* list = control<QComboBox>(window, box);
    QVERIFY(list);
    const int index = list->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void TestRoadOfASale::signIn(const QString& userName, const QString& password)
{
    m_startup = std::make_unique<shell::Startup>(m_scratch->db());
    shell::wireEverything(main(), m_scratch->db());
    m_startup->start();
    QTRY_VERIFY(platform::topLevelWindow(u"Form2"_s));
    QPointer<QWidget> signInWindow = platform::topLevelWindow(u"Form2"_s);
    QVERIFY(QTest::qWaitForWindowExposed(signInWindow));
    control<QComboBox>(signInWindow, u"text1"_s)->setEditText(userName);
    control<QLineEdit>(signInWindow, u"Text2"_s)->setText(password);
    click(signInWindow, u"Command1"_s);
    QTRY_VERIFY(!signInWindow);
    QVERIFY(main().isEnabled());
}

void TestRoadOfASale::addUnit()
{
    QPointer<QWidget> window = run(u"新单位"_s, u"addnewcom"_s);
    QVERIFY(window);
    QVERIFY(!main().isEnabled());
    const QStringList values { unit, u"李华"_s, u"建设路8号"_s, u"5556789"_s, u"5556780"_s, u"050011"_s, u"良好"_s };
    for (int i = 0; i < values.size(); ++i)
        type(window, u"Text%1"_s.arg(i + 1), values[i]);
    m_dialogs->expect(u"增加单位资料成功!"_s);
    click(window, u"Command1"_s);
    QTRY_VERIFY(!window);
    QTRY_VERIFY(main().isEnabled());
}

void TestRoadOfASale::addMedicine()
{
    QPointer<QWidget> window = run(u"Image4"_s, u"addnewM"_s);
    QVERIFY(window);
    const QList<std::pair<QString, QString>> values { { u"Text1"_s, u"阿莫西林"_s }, { u"Text2"_s, u"华北制药"_s },
                                                      { u"Text3"_s, u"盒"_s },       { u"Text4"_s, u"0.25g*24"_s },
                                                      { u"Text5"_s, u"15.00"_s },    { u"Text6"_s, u"11.20"_s },
                                                      { u"Text8"_s, u"amxl"_s },     { u"Text7"_s, u"片剂"_s } };
    for (const auto& [box, text] : values)
        type(window, box, text);
    m_dialogs->expect(u"新加药品成功!"_s);
    click(window, u"Command1"_s);
    QTRY_VERIFY(!window);
    QTRY_VERIFY(main().isEnabled());
}

void TestRoadOfASale::keyAndFinishSale()
{
    QPointer<QWidget> window = run(u"Image1"_s, u"xdjy"_s);
    QVERIFY(window);
    QVERIFY(main().isEnabled());
    auto* units = control<QComboBox>(window, u"Combo1"_s);
    QTRY_COMPARE(units->count(), 1);
    units->setFocus(Qt::MouseFocusReason);
    units->setCurrentIndex(0);
    QTest::keyClick(units, Qt::Key_Return);

    auto* name = control(window, u"Name1"_s);
    QCOMPARE(QApplication::focusWidget(), name);
    QTest::keyClicks(name, u"amxl"_s);
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(name->text(), u"阿莫西林"_s);
    QTest::keyClicks(control(window, u"Number1"_s), u"12"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(control(window, u"Danjia1"_s), u"16.5"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(control(window, u"Money1"_s)->text(), u"198.00"_s);

    click(window, u"Command2"_s);
    QTRY_VERIFY(!window);
    const QList<QStringList> stored = m_scratch->rows(unit);
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().mid(0, 4), (QStringList { u" 2004"_s, u" 7"_s, u" 5"_s, u"阿莫西林"_s }));
}

void TestRoadOfASale::printToPdf()
{
    // no print system on this machine: the slip goes to a PDF at its true size
    qputenv("CUPS_SERVER", QDir(m_scratch->folder()).filePath(u"no-print-system.sock"_s).toLocal8Bit());
    const platform::PrintChoice choice;
    platform::PrinterPageSink sink(choice);
    platform::setPageSink(&sink);
    const QString path = QDir(m_scratch->folder()).filePath(u"slips/XH00000000001Q-20040705-101500.pdf"_s);
    m_dialogs->expect(u"无法连接打印系统。\n销售清单已保存到文件：\n"_s + QDir::toNativeSeparators(path));

    main().runCommand(u"Image14"_s);
    QPointer<QWidget> printing = platform::topLevelWindow(u"dy"_s);
    QVERIFY(printing);
    QTRY_VERIFY(!printing);
    platform::setPageSink(nullptr);
    qunsetenv("CUPS_SERVER");
    QCOMPARE(testsupport::readPdf(path).pages, 1);
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().contains("<7247>")); // 片 of 片剂区, named as itself
}

void TestRoadOfASale::lookAtHistory()
{
    QPointer<QWidget> window = run(u"Look"_s, u"Look1"_s);
    QVERIFY(window);
    QVERIFY(!main().isEnabled());
    QTRY_COMPARE(control<QComboBox>(window, u"Combo1"_s)->count(), 1);
    choose(window, u"Combo1"_s, unit);
    QCOMPARE(control(window, u"Text1"_s)->text(), u"阿莫西林"_s);
    QCOMPARE(control(window, u"Text7"_s)->text(), u"2004/7/5"_s);
    window->close();
    QTRY_VERIFY(!window);
    QTRY_VERIFY(main().isEnabled());
}

void TestRoadOfASale::monthlyTotal()
{
    QPointer<QWidget> chooser = run(u"按月统计"_s, u"Form1"_s);
    QVERIFY(chooser);
    choose(chooser, u"Combo1"_s, u" 2004年"_s);
    choose(chooser, u"Combo2"_s, u" 7月"_s);
    click(chooser, u"Command1"_s);
    QPointer<QWidget> result = platform::topLevelWindow(u"月销售总额统计"_s);
    QVERIFY(result);
    QTRY_COMPARE(control<QLabel>(result, u"Label11"_s)->text(), u"198.00"_s);
    QTest::keyClick(result, Qt::Key_Escape);
    QTRY_VERIFY(!result);
    QTRY_VERIFY(chooser && chooser->isVisible());
    click(chooser, u"Command2"_s);
    QTRY_VERIFY(!chooser);
    QTRY_VERIFY(main().isEnabled());
}

void TestRoadOfASale::backUpChangeAndRestore()
{
    QPointer<QWidget> backup = run(u"Image3"_s, u"backupform"_s);
    QVERIFY(backup);
    m_dialogs->expect(u"数据备份完成!"_s);
    click(backup, u"Command1"_s);
    QTRY_VERIFY(!backup);
    QTRY_VERIFY(main().isEnabled());
    const QString backupFile = QDir(m_scratch->folder()).filePath(u"backup/200475.bak"_s);
    QVERIFY(QFile::exists(backupFile));
    const QList<QStringList> backedUp = m_scratch->rows(unit);

    // the sale is gone from the live database, and comes back with the backup
    QVERIFY(m_scratch->db().exec(u"DELETE FROM "_s + platform::quoteIdentifier(unit)));
    QPointer<QWidget> restore = run(u"导入数据"_s, u"导入"_s);
    QVERIFY(restore);
    auto* files = control<QListWidget>(restore, u"File1"_s);
    QTRY_COMPARE(files->count(), 1);
    files->setCurrentRow(0);
    m_dialogs->expect(u"导入数据完成!请重新登陆系统"_s);
    click(restore, u"Command1"_s);
    QTRY_COMPARE(m_launcher->restarts, 1);
    QCOMPARE(m_scratch->rows(unit), backedUp);
}

void TestRoadOfASale::storedSale()
{
    signIn();
    if (QTest::currentTestFailed())
        return;
    addUnit();
    if (QTest::currentTestFailed())
        return;
    addMedicine();
    if (QTest::currentTestFailed())
        return;
    keyAndFinishSale();
    if (QTest::currentTestFailed())
        return;
    printToPdf();
    if (QTest::currentTestFailed())
        return;
    lookAtHistory();
    if (QTest::currentTestFailed())
        return;
    monthlyTotal();
    if (QTest::currentTestFailed())
        return;
    backUpChangeAndRestore();
}

void TestRoadOfASale::clerkReachesHistoryThroughLook()
{
    QVERIFY(m_scratch->db().exec(u"INSERT INTO \"user\" (\"username\", \"userpassword\") VALUES (?, ?)"_s,
                                 { u"lily"_s, users::EncodePassword(u"1357"_s, users::Role::Clerk) }));
    QVERIFY(store::createTable(m_scratch->db(), u"lily"_s, store::logTableColumns()));
    signIn(u"lily"_s, u"1357"_s);
    QVERIFY(!main().menuEntry(u"查看交易记录"_s)->isEnabled());
    QPointer<QWidget> window = run(u"Look"_s, u"Look1"_s);
    QVERIFY(window);
    window->close();
    QTRY_VERIFY(main().isEnabled());
}

QTEST_MAIN(TestRoadOfASale)
#include "test_road_of_a_sale.moc"
