#include "maintenance/database_copy.h"
#include "maintenance/options_window.h"
#include "platform/dialogs.h"
#include "store/database_check.h"
#include "store/options.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/current_user.h"
#include "users/log_window.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString table = store::optionsTableName();

/** Writes a setting as another program or a hand could have: the table made when missing, the value as given. */
void writeByHand(platform::Database& db, const QString& value)
{
    QVERIFY(db.exec(u"CREATE TABLE IF NOT EXISTS \"系统 选项\" (\"名称\" TEXT, \"值\" TEXT)"_s));
    QVERIFY(db.exec(u"INSERT INTO \"系统 选项\" VALUES ('有效期预警月数', ?)"_s, { value }));
}

QStringList logged()
{
    QStringList messages;
    for (const auto& entry : users::activityLog()->pending())
        messages << entry.message;
    return messages;
}

} // namespace

class TestOptions final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void storedPeriod_data();
    void storedPeriod();
    void storing();
    void backupsWithAndWithout_data();
    void backupsWithAndWithout();
    void window_data();
    void window();

private:
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::LogWindow> m_log;
    QPointer<QWidget> m_opened;
};

void TestOptions::init()
{
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    users::setCurrentUser(u"super"_s);
    m_log = std::make_unique<users::LogWindow>(m_scratch->db(), u"super"_s);
}

void TestOptions::cleanup()
{
    delete m_opened;
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    m_log.reset();
    users::setCurrentUser({});
    m_scratch.reset();
    m_timers.reset();
    m_dialogs.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestOptions::storedPeriod_data()
{
    QTest::addColumn<QStringList>("written"); // by hand, in order; empty: the table is not there
    QTest::addColumn<int>("months");
    QTest::newRow("older database: no table") << QStringList() << 6;
    QTest::newRow("twelve") << QStringList { u"12"_s } << 12;
    QTest::newRow("none") << QStringList { u"0"_s } << 0;
    QTest::newRow("the largest") << QStringList { u"120"_s } << 120;
    QTest::newRow("blanks around") << QStringList { u" 4 "_s } << 4;
    QTest::newRow("too many") << QStringList { u"121"_s } << 6;
    QTest::newRow("negative") << QStringList { u"-1"_s } << 6;
    QTest::newRow("signed") << QStringList { u"+3"_s } << 6;
    QTest::newRow("words") << QStringList { u"半年"_s } << 6;
    QTest::newRow("empty") << QStringList { QString() } << 6;
}

void TestOptions::storedPeriod()
{
    QFETCH(QStringList, written);
    QFETCH(int, months);
    for (const QString& value : written)
        writeByHand(m_scratch->db(), value);
    QCOMPARE(store::expiryWarningMonths(m_scratch->db()), std::optional(months));
}

void TestOptions::storing()
{
    platform::Database& db = m_scratch->db();
    // refused values change nothing, not even the table
    QVERIFY(!store::storeExpiryWarningMonths(db, -1));
    QVERIFY(!store::storeExpiryWarningMonths(db, 121));
    QVERIFY(!store::tableExists(db, table));

    QVERIFY(store::storeExpiryWarningMonths(db, 3));
    QCOMPARE(m_scratch->rows(table), (QList<QStringList> { { u"有效期预警月数"_s, u"3"_s } }));
    QVERIFY(store::storeExpiryWarningMonths(db, 0));
    QCOMPARE(m_scratch->rows(table), (QList<QStringList> { { u"有效期预警月数"_s, u"0"_s } }));
    QCOMPARE(store::expiryWarningMonths(db), std::optional(0));
    QVERIFY(!db.inTransaction());

    // the table is no table of the register: a unit cannot take its name, and the database stays this system's
    QVERIFY(store::checkDatabase(db.connection()).sound());
}

void TestOptions::backupsWithAndWithout_data()
{
    QTest::addColumn<int>("backedUp"); // -1: the backup was made before the setting existed
    QTest::addColumn<int>("live");
    QTest::addColumn<int>("restored");
    QTest::newRow("backup with it over a database without") << 3 << -1 << 3;
    QTest::newRow("older backup over a database with it") << -1 << 9 << 6;
    QTest::newRow("both with it") << 2 << 9 << 2;
}

void TestOptions::backupsWithAndWithout()
{
    QFETCH(int, backedUp);
    QFETCH(int, live);
    QFETCH(int, restored);
    testsupport::ScratchDatabase source(true);
    if (backedUp >= 0)
        QVERIFY(store::storeExpiryWarningMonths(source.db(), backedUp));
    const QString backupFile = QDir(source.folder()).filePath(u"backup/2004121.bak"_s);
    QCOMPARE(maintenance::writeBackup(source.db(), backupFile), maintenance::BackupOutcome::Written);

    if (live >= 0)
        QVERIFY(store::storeExpiryWarningMonths(m_scratch->db(), live));
    QCOMPARE(maintenance::restoreBackup(m_scratch->db(), backupFile, QDir(m_scratch->folder()).filePath(u"backup"_s)),
             maintenance::RestoreOutcome::Restored);
    QCOMPARE(store::expiryWarningMonths(m_scratch->db()), std::optional(restored));
    // the setting can still be changed afterwards
    QVERIFY(store::storeExpiryWarningMonths(m_scratch->db(), 5));
    QCOMPARE(store::expiryWarningMonths(m_scratch->db()), std::optional(5));
}

void TestOptions::window_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("stored");
    QTest::newRow("twelve") << u"12"_s << u"选项修改成功!"_s << 12;
    QTest::newRow("none") << u"0"_s << u"选项修改成功!"_s << 0;
    QTest::newRow("too many") << u"121"_s << u"请输入0到120之间的月数!"_s << 6;
    QTest::newRow("empty") << QString() << u"请输入0到120之间的月数!"_s << 6;
    QTest::newRow("letters are not taken") << u"x9"_s << u"选项修改成功!"_s << 9;
}

void TestOptions::window()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(int, stored);
    auto* window = new maintenance::OptionsWindow(m_scratch->db());
    m_opened = window;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->objectName(), u"options"_s);
    QTRY_COMPARE(logged(), QStringList { u"超级用户进入选项页面。"_s });
    auto* months = window->findChild<QLineEdit*>(u"Text1"_s);
    QVERIFY(months);
    QCOMPARE(months->text(), u"6"_s);
    QCOMPARE(QApplication::focusWidget(), months);

    months->clear();
    QTest::keyClicks(months, typed);
    QTest::keyClick(months, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), window->findChild<QPushButton*>(u"Command1"_s));
    m_dialogs->expect(message);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QCOMPARE(store::expiryWarningMonths(m_scratch->db()), std::optional(stored));
    if (message == u"选项修改成功!"_s) {
        QTRY_VERIFY(!m_opened);
        QCOMPARE(logged().last(), u"超级用户修改有效期预警为%1个月,成功。"_s.arg(stored));
    } else {
        QVERIFY(window->isVisible());
        QCOMPARE(QApplication::focusWidget(), months);
        QTest::keyClick(months, Qt::Key_Escape);
        QTRY_VERIFY(!m_opened);
        QCOMPARE(logged().last(), u"超级用户退出选项页面。"_s);
    }
}

QTEST_MAIN(TestOptions)
#include "test_options.moc"
