#include "platform/paged_table_model.h"
#include "platform/table_rows.h"
#include "store/statements.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "support/window_fixture.h"
#include "users/activity_log.h"
#include "users/log_search.h"
#include "users/log_viewer_window.h"

#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

/** "user|moment|action" of every row, read two at a time. */
QStringList readAll(platform::TableRows& rows)
{
    QStringList read;
    for (;;) {
        const auto part = rows.next(2);
        if (!part) {
            QTest::qFail("the entries could not be read", __FILE__, __LINE__);
            return read;
        }
        if (part->isEmpty())
            return read;
        for (const QStringList& row : *part)
            read << row.join(u'|');
    }
}

} // namespace

class TestLogViewer final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filters_data();
    void filters();
    void usersIncludeDeletedClerksAndTheUnsaved();
    void windowShowsItsOwnUnsavedEntryFirst();

private:
    void append(const QString& table, const QString& moment, const QString& message);

    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<users::ActivityLog> m_log;
};

void TestLogViewer::append(const QString& table, const QString& moment, const QString& message)
{
    QVERIFY2(m_scratch->db().exec(
                 u"INSERT INTO %1 (\"年月日\", \"备注\") VALUES (?, ?)"_s.arg(platform::quoteIdentifier(table)),
                 { moment, message }),
             qPrintable(m_scratch->db().lastError()));
}

void TestLogViewer::init()
{
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    m_clock = std::make_unique<testsupport::FakeClock>(QDateTime(QDate(2004, 7, 5), QTime(9, 5, 33)));
    QVERIFY(store::createTable(m_scratch->db(), u"小王"_s, store::logTableColumns()));
    // a one-digit hour sorts as the hour it is: 9 o'clock before 10 and 14
    append(u"super"_s, u"200406159:05:33"_s, u"超级用户进入系统。"_s);
    append(u"super"_s, u"2004061514:00:00"_s, u"超级用户退出系统。"_s);
    append(u"Orsvan"_s, u"2004061510:00:00"_s, u"系统管理员进入备份系统。"_s);
    append(u"小王"_s, u"200407018:00:00"_s, u"制单员小王进入系统。"_s);
    m_log = std::make_unique<users::ActivityLog>(m_scratch->db(), u"小王"_s);
    m_log->add(u"制单员小王完成与甲的交易(不入库)。"_s);
}

void TestLogViewer::cleanup()
{
    m_log.reset();
    m_clock.reset();
    m_scratch.reset();
}

void TestLogViewer::filters_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<qint64>("unsaved");
    const QString unsaved = u"小王|2004-07-05 09:05:33|制单员小王完成与甲的交易不入库。"_s;
    const QString wang = u"小王|2004-07-01 08:00:00|制单员小王进入系统。"_s;
    const QString superOut = u"super|2004-06-15 14:00:00|超级用户退出系统。"_s;
    const QString orsvan = u"Orsvan|2004-06-15 10:00:00|系统管理员进入备份系统。"_s;
    const QString superIn = u"super|2004-06-15 09:05:33|超级用户进入系统。"_s;
    const QDate none;
    QTest::newRow("everything, newest first, the unsaved entry in its stored form")
        << QString() << none << none << QString() << QStringList { unsaved, wang, superOut, orsvan, superIn }
        << qint64(1);
    QTest::newRow("one user") << u"super"_s << none << none << QString() << QStringList { superOut, superIn }
                              << qint64(0);
    QTest::newRow("the user of the unsaved entry")
        << u"小王"_s << none << none << QString() << QStringList { unsaved, wang } << qint64(1);
    QTest::newRow("one day") << QString() << QDate(2004, 6, 15) << QDate(2004, 6, 15) << QString()
                             << QStringList { superOut, orsvan, superIn } << qint64(0);
    QTest::newRow("a range ending today") << QString() << QDate(2004, 7, 1) << QDate(2004, 7, 5) << QString()
                                          << QStringList { unsaved, wang } << qint64(1);
    QTest::newRow("part of the text") << QString() << none << none << u"进入系统"_s << QStringList { wang, superIn }
                                      << qint64(0);
    QTest::newRow("part of the unsaved text")
        << QString() << none << none << u"不入库"_s << QStringList { unsaved } << qint64(1);
    QTest::newRow("wildcard taken literally") << QString() << none << none << u"%"_s << QStringList() << qint64(0);
}

void TestLogViewer::filters()
{
    QFETCH(QString, user);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    QFETCH(qint64, unsaved);
    users::LogFilter filter { user, std::nullopt, std::nullopt, text };
    if (from.isValid()) {
        filter.from = from;
        filter.to = to;
    }
    users::LogSearch search(m_scratch->db(), filter, { m_log->table(), m_log->pending() });
    QCOMPARE(search.count(), std::optional<qint64>(rows.size()));
    QCOMPARE(search.pendingCount(), unsaved);
    QCOMPARE(readAll(*search.rows()), rows);
    // reading changes nothing: the entry is still waiting, the tables as they were
    QCOMPARE(m_log->pending().size(), 1);
    QCOMPARE(m_scratch->rows(u"小王"_s).size(), 1);
}

void TestLogViewer::usersIncludeDeletedClerksAndTheUnsaved()
{
    // 老李's account is gone, his log stays; 小张 signed in without a log table yet
    QVERIFY(store::createTable(m_scratch->db(), u"老李"_s, store::logTableColumns()));
    QVERIFY(store::createTable(m_scratch->db(), u"甲"_s, store::transactionTableColumns()));
    const QStringList users = users::logUsers(m_scratch->db(), { u"小张"_s, {} });
    QCOMPARE(users, (QStringList { u"super"_s, u"Orsvan"_s, u"小张"_s, u"小王"_s, u"老李"_s }));
}

void TestLogViewer::windowShowsItsOwnUnsavedEntryFirst()
{
    m_log.reset();
    testsupport::WindowFixture f;
    QVERIFY(store::createTable(f.scratch().db(), u"小王"_s, store::logTableColumns()));
    f.open(new users::LogViewerWindow(f.scratch().db()));
    auto* model = qobject_cast<platform::PagedTableModel*>(f.control<QTableView>(u"table"_s)->model());
    QVERIFY(model);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->text(0, 0), u"Orsvan"_s);
    QCOMPARE(model->text(0, 1), u"2004-07-05 09:05:33"_s);
    QCOMPARE(model->text(0, 2), u"系统管理员进入操作日志系统。"_s);
    QCOMPARE(f.text(u"figures"_s), u"共 1 条，其中 1 条尚未保存到数据库"_s);
    f.choose(u"userBox"_s, u"小王"_s);
    f.click(u"queryButton"_s);
    QCOMPARE(model->rowCount(), 0);
    QString problem;
    QVERIFY2(f.finish(&problem), qPrintable(problem));
}

QTEST_MAIN(TestLogViewer)
#include "test_log_viewer.moc"
