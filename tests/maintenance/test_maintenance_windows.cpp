#include "maintenance/about_window.h"
#include "maintenance/backup_window.h"
#include "maintenance/database_copy.h"
#include "maintenance/folder_list.h"
#include "maintenance/letterhead_window.h"
#include "maintenance/restore_window.h"
#include "maintenance/short_path.h"
#include "platform/data_folder.h"
#include "platform/top_level_windows.h"
#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/file_size_limit.h"
#include "support/scratch_database.h"
#include "users/current_user.h"
#include "users/log_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList logged()
{
    QStringList messages;
    for (const auto& entry : users::activityLog()->pending())
        messages << entry.message;
    return messages;
}

template<typename T> T* control(QWidget* window, const QString& name)
{
    T* found = window->findChild<T*>(name);
    if (!found)
        qWarning("no control %s", qPrintable(name));
    return found;
}

QString labelText(QWidget* window, const QString& name)
{
    const QLabel* label = control<QLabel>(window, name);
    return label ? label->text() : QString();
}

} // namespace

class TestMaintenanceWindows final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void backupWritesTodaysFile();
    void backupShowsLongPathShortened();
    void backupFolderChoice();
    void backupReturnWritesNothing();

    void restoreRefusesThenRestoresAndRestarts();
    void restoreCancelGivesMainWindowBack();
    void restoreWithoutRoomForSafetyCopy();

    void letterhead_data();
    void letterhead();

    void about();
    void systemInformation_data();
    void systemInformation();

    void commandsOpenTheirWindows_data();
    void commandsOpenTheirWindows();
    void homePage_data();
    void homePage();

private:
    template<typename Window, typename... Args> Window* open(Args&&... args)
    {
        auto* window = new Window(std::forward<Args>(args)...);
        m_opened = window;
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("window not exposed");
        return window;
    }
    std::unique_ptr<shell::MainWindow> showMainWindow();

    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeLauncher> m_launcher;
    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::LogWindow> m_log;
    QPointer<QWidget> m_opened;
    QString m_backupFolder;
};

void TestMaintenanceWindows::init()
{
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_clock = std::make_unique<testsupport::FakeClock>(QDateTime(QDate(2004, 1, 21), QTime(9, 5, 33)));
    m_launcher = std::make_unique<testsupport::FakeLauncher>();
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    platform::setDataFolder(m_scratch->folder());
    m_backupFolder = QDir(m_scratch->folder()).filePath(u"backup"_s);
    users::setCurrentUser(u"super"_s);
    m_log = std::make_unique<users::LogWindow>(m_scratch->db(), u"super"_s);
}

void TestMaintenanceWindows::cleanup()
{
    delete m_opened;
    QString problem;
    QVERIFY2(m_dialogs->verifyDone(&problem), qPrintable(problem));
    m_log.reset();
    users::setCurrentUser({});
    platform::setDataFolder({});
    m_scratch.reset();
    m_timers.reset();
    m_launcher.reset();
    m_clock.reset();
    m_dialogs.reset();
}

std::unique_ptr<shell::MainWindow> TestMaintenanceWindows::showMainWindow()
{
    auto main = std::make_unique<shell::MainWindow>(m_scratch->db());
    main->show();
    if (!QTest::qWaitForWindowExposed(main.get()))
        qWarning("main window not exposed");
    return main;
}

void TestMaintenanceWindows::backupWritesTodaysFile()
{
    QVERIFY(!QFileInfo::exists(m_backupFolder));
    auto* window = open<maintenance::BackupWindow>(m_scratch->db());
    QTRY_COMPARE(logged(), QStringList { u"超级用户进入备份系统。"_s });

    const QString target = QDir(m_backupFolder).filePath(u"2004121.bak"_s);
    QCOMPARE(control<maintenance::FolderList>(window, u"Dir1"_s)->folder(), m_backupFolder);
    QCOMPARE(labelText(window, u"Label2"_s), target);

    m_dialogs->expect(u"数据备份完成!"_s);
    QTest::mouseClick(control<QPushButton>(window, u"Command1"_s), Qt::LeftButton);

    QTRY_VERIFY(!m_opened);
    QCOMPARE(fileBytes(target).left(8), "Quenvale"_ba);
    QCOMPARE(logged(), (QStringList { u"超级用户进入备份系统。"_s, u"超级用户备份据数,成功。"_s }));
}

void TestMaintenanceWindows::backupShowsLongPathShortened()
{
    const QString longFolder = QDir(m_scratch->folder()).filePath(u"会计部/药品批发公司/数据文件"_s);
    QVERIFY(QDir().mkpath(longFolder));
    platform::setDataFolder(longFolder);
    auto* window = open<maintenance::BackupWindow>(m_scratch->db());

    const QString target = longFolder + u"/backup/2004121.bak"_s;
    QCOMPARE(labelText(window, u"Label2"_s), target);
    const QString shown = labelText(window, u"text1"_s);
    const QStringList parts = target.split(u'/');
    QVERIFY2(shown.startsWith(parts.at(0) + u'/' + parts.at(1) + u"/....../"_s), qPrintable(shown));
    QVERIFY2(shown.endsWith(u"/2004121.bak"_s), qPrintable(shown));
    QVERIFY(maintenance::ansiLength(shown) <= 45);

    m_dialogs->expect(u"数据备份完成!"_s);
    QTest::mouseClick(control<QPushButton>(window, u"Command1"_s), Qt::LeftButton);
    QVERIFY(QFileInfo::exists(target));
}

void TestMaintenanceWindows::backupFolderChoice()
{
    QVERIFY(QDir().mkpath(QDir(m_backupFolder).filePath(u"月末"_s)));
    auto* window = open<maintenance::BackupWindow>(m_scratch->db());
    auto* folders = control<maintenance::FolderList>(window, u"Dir1"_s);

    // Enter in the folder list opens the folder and does not start the backup
    const QList<QListWidgetItem*> inner = folders->findItems(u"月末"_s, Qt::MatchEndsWith);
    QCOMPARE(inner.size(), 1);
    folders->setCurrentItem(inner.first());
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Return);
    const QString innerFolder = QDir(m_backupFolder).filePath(u"月末"_s);
    QCOMPARE(folders->folder(), innerFolder);
    QCOMPARE(labelText(window, u"Label2"_s), innerFolder + u"/2004121.bak"_s);
    QVERIFY(QDir(innerFolder).isEmpty());

    // a drive's root takes the file name directly
    auto* drives = control<QComboBox>(window, u"Drive1"_s);
    const int root = drives->findData(u"/"_s);
    QVERIFY(root >= 0);
    emit drives->activated(root);
    QCOMPARE(folders->folder(), u"/"_s);
    QCOMPARE(labelText(window, u"Label2"_s), u"/2004121.bak"_s);
}

void TestMaintenanceWindows::backupReturnWritesNothing()
{
    auto* window = open<maintenance::BackupWindow>(m_scratch->db());
    QTRY_COMPARE(logged().size(), 1);
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!m_opened);
    QCOMPARE(logged(), (QStringList { u"超级用户进入备份系统。"_s, u"超级用户退出备份系统。"_s }));
    QVERIFY(QDir(m_backupFolder).isEmpty());
}

void TestMaintenanceWindows::restoreRefusesThenRestoresAndRestarts()
{
    QVERIFY(QDir().mkpath(m_backupFolder));
    {
        testsupport::ScratchDatabase other(true);
        QVERIFY(other.db().exec(u"UPDATE 抬头 SET 抬头 = '其他公司'"_s));
        QCOMPARE(maintenance::writeBackup(other.db(), QDir(m_backupFolder).filePath(u"200465.bak"_s)),
                 maintenance::BackupOutcome::Written);
    }
    writeFile(QDir(m_backupFolder).filePath(u"bad.bak"_s), "QuenvalX and more"_ba);
    writeFile(QDir(m_backupFolder).filePath(u"notes.txt"_s), "not a backup"_ba);
    const QByteArray before = fileBytes(m_scratch->path());

    auto main = showMainWindow();
    auto* window = open<maintenance::RestoreWindow>(m_scratch->db(), *main);
    QVERIFY(!main->isEnabled());
    QTRY_COMPARE(logged(), QStringList { u"超级用户进入数据恢复系统。"_s });
    auto* files = control<QListWidget>(window, u"File1"_s);
    auto* confirm = control<QPushButton>(window, u"Command1"_s);
    QCOMPARE(files->count(), 2);
    QCOMPARE(files->item(0)->text(), u"200465.bak"_s);
    QCOMPARE(files->item(1)->text(), u"bad.bak"_s);
    QCOMPARE(labelText(window, u"text1"_s), maintenance::shownPath(m_backupFolder + u"/*.bak"_s, u"*.bak"_s, 55));

    // with no file chosen neither the button nor Enter restores anything
    QVERIFY(!confirm->isEnabled());
    QTest::keyClick(files, Qt::Key_Return);

    files->setCurrentRow(1);
    QVERIFY(confirm->isEnabled());
    QCOMPARE(labelText(window, u"Label3"_s), QDir(m_backupFolder).filePath(u"bad.bak"_s));
    m_dialogs->expect(u"备份文件已损坏,或此备份文件不是本系统所备份,请检查!"_s);
    QTest::mouseClick(confirm, Qt::LeftButton);
    QVERIFY(window->isVisible());
    QVERIFY(!main->isEnabled());
    QCOMPARE(fileBytes(m_scratch->path()), before);
    QCOMPARE(logged().last(), u"超级用户恢复系统数据,失败。"_s);

    files->setCurrentRow(0);
    m_dialogs->expect(u"导入数据完成!请重新登陆系统"_s);
    QTest::mouseClick(confirm, Qt::LeftButton);

    QTRY_VERIFY(!m_opened);
    QCOMPARE(m_scratch->rows(u"抬头"_s), QList<QStringList> { { u"其他公司"_s } });
    QVERIFY(QFileInfo::exists(QDir(m_backupFolder).filePath(u"恢复前的数据2004-01-21-090533.bak"_s)));
    QCOMPARE(logged().last(), u"超级用户恢复系统数据,成功。"_s);
    QVERIFY(main->isQuitting());
    QCOMPARE(m_launcher->restarts, 1);
    QTRY_COMPARE(m_launcher->endCalls, 1);
}

void TestMaintenanceWindows::restoreCancelGivesMainWindowBack()
{
    auto main = showMainWindow();
    auto* window = open<maintenance::RestoreWindow>(m_scratch->db(), *main);
    QVERIFY(!main->isEnabled());
    QTest::mouseClick(control<QPushButton>(window, u"Command2"_s), Qt::LeftButton);
    QTRY_VERIFY(!m_opened);
    QVERIFY(main->isEnabled());
    QCOMPARE(logged().last(), u"超级用户退出数据恢复系统。"_s);
    QCOMPARE(m_launcher->restarts, 0);
}

void TestMaintenanceWindows::restoreWithoutRoomForSafetyCopy()
{
    QVERIFY(QDir().mkpath(m_backupFolder));
    {
        testsupport::ScratchDatabase other(true);
        QCOMPARE(maintenance::writeBackup(other.db(), QDir(m_backupFolder).filePath(u"200465.bak"_s)),
                 maintenance::BackupOutcome::Written);
    }
    // the live database grows far past the backup, so the backup can be decoded but the live one not copied
    {
        platform::Transaction transaction(m_scratch->db());
        for (int n = 0; n < 500; ++n)
            QVERIFY(m_scratch->db().exec(u"INSERT INTO 药品 (名称) VALUES (?)"_s, { QString(500, u'药') }));
        QVERIFY(transaction.commit());
    }
    const QByteArray before = fileBytes(m_scratch->path());
    QVERIFY(before.size() > 1024 * 1024);

    auto main = showMainWindow();
    auto* window = open<maintenance::RestoreWindow>(m_scratch->db(), *main);
    control<QListWidget>(window, u"File1"_s)->setCurrentRow(0);
    m_dialogs->expect(u"恢复前的数据备份失败,数据未恢复,请检查备份文件夹!"_s);
    {
        testsupport::FileSizeLimit limit(512 * 1024);
        QVERIFY(limit.isActive());
        QTest::mouseClick(control<QPushButton>(window, u"Command1"_s), Qt::LeftButton);
    }

    QVERIFY(window->isVisible());
    QCOMPARE(fileBytes(m_scratch->path()), before);
    QCOMPARE(QDir(m_backupFolder).entryList(QDir::Files), QStringList { u"200465.bak"_s });
    QCOMPARE(logged().last(), u"超级用户恢复系统数据,失败。"_s);
    QCOMPARE(m_launcher->restarts, 0);
}

void TestMaintenanceWindows::letterhead_data()
{
    QTest::addColumn<bool>("emptyTable");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QList<QStringList>>("stored");

    const QList<QStringList> delivered { { u"华康医药有限公司"_s } };
    QTest::newRow("cancelled") << false << u"新安药业"_s << false << delivered;
    QTest::newRow("confirmed") << false << u"新安药业"_s << true << QList<QStringList> { { u"新安药业"_s } };
    QTest::newRow("empty title confirmed") << false << QString() << true << QList<QStringList> { { QString() } };
    QTest::newRow("table without a record")
        << true << u"新安药业"_s << true << QList<QStringList> { { u"新安药业"_s } };
}

void TestMaintenanceWindows::letterhead()
{
    QFETCH(bool, emptyTable);
    QFETCH(QString, title);
    QFETCH(bool, confirmed);
    QFETCH(QList<QStringList>, stored);

    if (emptyTable)
        QVERIFY(m_scratch->db().exec(u"DELETE FROM 抬头"_s));
    auto* window = open<maintenance::LetterheadWindow>(m_scratch->db());
    QTRY_COMPARE(logged(), QStringList { u"超级用户进入修改本单位标题页面。"_s });
    auto* box = control<QLineEdit>(window, u"Text1"_s);
    auto* change = control<QPushButton>(window, u"Command1"_s);
    QVERIFY(box->text().isEmpty());

    // Enter in the box only moves on to the button
    box->insert(title);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), change);

    m_dialogs->expect(u"真的要将标题修改为:"_s + title + u"吗?"_s,
                      confirmed ? platform::Answer::Ok : platform::Answer::Cancel);
    if (confirmed)
        m_dialogs->expect(u"标题修改成功!"_s);
    QTest::keyClick(change, Qt::Key_Return);

    QCOMPARE(m_scratch->rows(u"抬头"_s), stored);
    if (confirmed) {
        QTRY_VERIFY(!m_opened);
        QCOMPARE(logged().last(), u"超级用户修改本单位标题为:"_s + title + u",成功。"_s);
    } else {
        QVERIFY(window->isVisible());
        QCOMPARE(QApplication::focusWidget(), control<QPushButton>(window, u"Command2"_s));
        QCOMPARE(logged().size(), 1);
    }
}

void TestMaintenanceWindows::about()
{
    auto* window = open<maintenance::AboutWindow>();
    QCOMPARE(window->windowTitle(), u"关于Quenvale"_s);
    QCOMPARE(labelText(window, u"lblTitle"_s), u"Quenvale"_s);
    QCOMPARE(labelText(window, u"lblVersion"_s), u"版本 V1.00"_s);
    QVERIFY(!labelText(window, u"lblDisclaimer"_s).isEmpty());
    QCOMPARE(labelText(window, u"lblDataFolder"_s), u"数据目录："_s + QDir::toNativeSeparators(m_scratch->folder()));
    QTest::keyClick(window, Qt::Key_Return);
    QTRY_VERIFY(!m_opened);
    QVERIFY(logged().isEmpty());
}

void TestMaintenanceWindows::systemInformation_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("unavailable");
    QTest::newRow("no viewer installed") << false << true << true;
    QTest::newRow("viewer found and started") << true << true << false;
    QTest::newRow("viewer does not start") << true << false << true;
}

void TestMaintenanceWindows::systemInformation()
{
    QFETCH(bool, installed);
    QFETCH(bool, starts);
    QFETCH(bool, unavailable);

    QTemporaryDir programs;
    const QString viewer = QDir(programs.path()).filePath(u"hardinfo"_s);
    if (installed) {
        writeFile(viewer, "#!/bin/sh\n"_ba);
        QVERIFY(QFile::setPermissions(viewer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(programs.path()));
    m_launcher->canStart = starts;

    auto* window = open<maintenance::AboutWindow>();
    if (unavailable)
        m_dialogs->expect(u"此时系统信息不可用"_s);
    QTest::mouseClick(control<QPushButton>(window, u"cmdSysInfo"_s), Qt::LeftButton);
    qputenv("PATH", savedPath);

    QCOMPARE(m_launcher->programs, installed ? QStringList { viewer } : QStringList());
    QVERIFY(window->isVisible());
}

void TestMaintenanceWindows::commandsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::newRow("backup") << u"backup"_s << u"backupform"_s;
    QTest::newRow("Image3") << u"Image3"_s << u"backupform"_s;
    QTest::newRow("导入数据") << u"导入数据"_s << u"导入"_s;
    QTest::newRow("修改标题") << u"修改标题"_s << u"修改抬头"_s;
    QTest::newRow("options") << u"options"_s << u"options"_s;
    QTest::newRow("aboutus") << u"aboutus"_s << u"frmAbout"_s;
    QTest::newRow("Image9") << u"Image9"_s << u"frmAbout"_s;
}

void TestMaintenanceWindows::commandsOpenTheirWindows()
{
    QFETCH(QString, command);
    QFETCH(QString, window);

    auto main = showMainWindow();
    shell::wireMaintenanceCommands(*main, m_scratch->db());
    main->runCommand(command);
    QWidget* opened = platform::topLevelWindow(window);
    QVERIFY(opened);
    m_opened = opened;
    QVERIFY(opened->isVisible());
    QVERIFY(!main->isEnabled());
    QVERIFY(QTest::qWaitForWindowExposed(opened));

    opened->close();
    QVERIFY(main->isEnabled());
    QTRY_VERIFY(!m_opened);
}

void TestMaintenanceWindows::homePage_data()
{
    QTest::addColumn<QString>("configured");
    QTest::addColumn<bool>("browser");
    QTest::addColumn<QString>("opened");
    QTest::newRow("maker's page") << QString() << true << u"https://www.quenvale.cn/"_s;
    QTest::newRow("configured") << u"https://intranet.local/quenvale"_s << true << u"https://intranet.local/quenvale"_s;
    // no browser: nothing more happens, no message either
    QTest::newRow("no browser") << QString() << false << u"https://www.quenvale.cn/"_s;
}

void TestMaintenanceWindows::homePage()
{
    QFETCH(QString, configured);
    QFETCH(bool, browser);
    QFETCH(QString, opened);
    qputenv("QUENVALE_HOME_PAGE", configured.toUtf8());
    m_launcher->canStart = browser;

    auto main = showMainWindow();
    shell::wireMaintenanceCommands(*main, m_scratch->db());
    main->runCommand(u"hompage"_s);
    qunsetenv("QUENVALE_HOME_PAGE");
    QCOMPARE(m_launcher->urls, QList<QUrl> { QUrl(opened) });
    QVERIFY(main->isEnabled());
}

QTEST_MAIN(TestMaintenanceWindows)
#include "test_maintenance_windows.moc"
