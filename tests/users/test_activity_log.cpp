#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/activity_log.h"
#include "users/current_user.h"
#include "users/log_window.h"
#include "users/log_wording.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestActivityLog final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void timestamp_data();
    void timestamp();
    void storedMessage_data();
    void storedMessage();
    void wording_data();
    void wording();
    void periodicSaveAboveThirty_data();
    void periodicSaveAboveThirty();
    void savesInOrderWithTheMomentWritten();
    void failedSaveKeepsEntriesAndSaysSoOnce();
    void finalSaveWithNothingPendingWritesNothing();
    void noLogBeforeSignIn();
};

void TestActivityLog::cleanup()
{
    users::setCurrentUser({});
    users::setActivityLog(nullptr);
}

void TestActivityLog::timestamp_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("afternoon") << QDateTime(QDate(2004, 6, 15), QTime(14, 5, 33)) << u"2004061514:05:33"_s;
    QTest::newRow("before ten") << QDateTime(QDate(2004, 6, 15), QTime(9, 5, 33)) << u"200406159:05:33"_s;
    QTest::newRow("midnight") << QDateTime(QDate(2026, 12, 1), QTime(0, 0, 7)) << u"202612010:00:07"_s;
}

void TestActivityLog::timestamp()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, stamp);
    QCOMPARE(users::logTimestamp(moment), stamp);
}

void TestActivityLog::storedMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");
    QTest::newRow("no brackets") << u"超级用户进入系统。"_s << u"超级用户进入系统。"_s;
    QTest::newRow("not-stored sale") << u"超级用户完成与华康诊所的交易(不入库)。"_s
                                     << u"超级用户完成与华康诊所的交易不入库。"_s;
    QTest::newRow("unit with its own brackets")
        << u"超级用户完成与诊所(一)的交易(不入库)。"_s << u"超级用户完成与诊所一的交易(不入库)。"_s;
    QTest::newRow("no closing bracket") << u"制单员a(b进入系统。"_s << u"制单员a(b进入系统。"_s;
    QTest::newRow("closing before opening") << u"制单员a)b(c进入系统。"_s << u"制单员a)b(c进入系统。"_s;
    QTest::newRow("closing first, pair later") << u"制单员a)b(c)d"_s << u"制单员a)b(c)d"_s;
    QTest::newRow("full-width brackets stay")
        << u"超级用户进入（不入库）交易系统。"_s << u"超级用户进入（不入库）交易系统。"_s;
}

void TestActivityLog::storedMessage()
{
    QFETCH(QString, message);
    QFETCH(QString, stored);
    QCOMPARE(users::storedLogMessage(message), stored);
}

void TestActivityLog::wording_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("oneText");
    QTest::addColumn<QString>("threeTexts");
    QTest::newRow("super user") << u"super"_s << u"超级用户进入备份系统。"_s << u"超级用户甲"_s;
    QTest::newRow("administrator") << u"Orsvan"_s << u"系统管理员进入备份系统。"_s << u"系统管理员乙"_s;
    QTest::newRow("clerk") << u"张三"_s << u"制单员张三进入备份系统。"_s << u"制单员张三丙"_s;
    QTest::newRow("administrator's name in other case is a clerk")
        << u"orsvan"_s << u"制单员orsvan进入备份系统。"_s << u"制单员orsvan丙"_s;
}

void TestActivityLog::wording()
{
    QFETCH(QString, user);
    QFETCH(QString, oneText);
    QFETCH(QString, threeTexts);
    users::setCurrentUser(user);
    QCOMPARE(users::roleWording(u"进入备份系统。"_s), oneText);
    QCOMPARE(users::roleWording(u"甲"_s, u"乙"_s, u"丙"_s), threeTexts);
}

void TestActivityLog::periodicSaveAboveThirty_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("saved");
    QTest::newRow("thirty wait") << 30 << 0;
    QTest::newRow("thirty-one are all saved") << 31 << 31;
}

void TestActivityLog::periodicSaveAboveThirty()
{
    QFETCH(int, entries);
    QFETCH(int, saved);
    testsupport::FakeClock clock;
    testsupport::ScratchDatabase scratch(true);
    users::LogWindow window(scratch.db(), u"Orsvan"_s);
    for (int i = 0; i < entries; ++i)
        users::AddLogEntry(u"系统管理员进入系统。"_s);
    window.periodicTick();
    QCOMPARE(scratch.rows(u"Orsvan"_s).size(), saved);
    QCOMPARE(window.log().pending().size(), entries - saved);
}

void TestActivityLog::savesInOrderWithTheMomentWritten()
{
    testsupport::FakeClock clock(QDateTime(QDate(2004, 6, 15), QTime(9, 5, 33)));
    testsupport::ScratchDatabase scratch(true);
    QVERIFY(store::createTable(scratch.db(), u"张三"_s, store::logTableColumns()));
    users::setCurrentUser(u"张三"_s);
    users::LogWindow window(scratch.db(), u"张三"_s);
    users::logAction(u"进入系统。"_s);
    clock.set(QDateTime(QDate(2004, 6, 15), QTime(14, 5, 33)));
    users::AddLogEntry(u"制单员张三完成与诊所的交易(不入库)。"_s);
    clock.set(QDateTime(QDate(2004, 6, 16), QTime(8, 0, 0)));
    window.finalSave();
    const QList<QStringList> expected { { u"200406159:05:33"_s, u"制单员张三进入系统。"_s },
                                        { u"2004061514:05:33"_s, u"制单员张三完成与诊所的交易不入库。"_s } };
    QCOMPARE(scratch.rows(u"张三"_s), expected);
    QVERIFY(window.log().pending().isEmpty());
}

void TestActivityLog::failedSaveKeepsEntriesAndSaysSoOnce()
{
    testsupport::FakeClock clock;
    testsupport::FakeDialogs dialogs;
    testsupport::ScratchDatabase scratch(true);
    users::LogWindow window(scratch.db(), u"never_created"_s);
    for (int i = 0; i < 31; ++i)
        users::AddLogEntry(u"制单员never_created进入系统。"_s);
    dialogs.expect(u"操作日志无法保存，请检查数据库！"_s);
    window.periodicTick();
    window.finalSave();
    QString problem;
    QVERIFY2(dialogs.verifyDone(&problem), qPrintable(problem));
    QCOMPARE(window.log().pending().size(), 31);

    // once the table is there, the kept entries go in, each once
    QVERIFY(store::createTable(scratch.db(), u"never_created"_s, store::logTableColumns()));
    window.finalSave();
    QCOMPARE(scratch.rows(u"never_created"_s).size(), 31);
    QVERIFY(window.log().pending().isEmpty());
}

void TestActivityLog::finalSaveWithNothingPendingWritesNothing()
{
    testsupport::ScratchDatabase scratch(true);
    users::LogWindow window(scratch.db(), u"super"_s);
    window.finalSave();
    QVERIFY(scratch.rows(u"super"_s).isEmpty());
}

void TestActivityLog::noLogBeforeSignIn()
{
    QVERIFY(!users::activityLog());
    users::AddLogEntry(u"超级用户进入系统。"_s);
    testsupport::ScratchDatabase scratch(true);
    {
        users::LogWindow window(scratch.db(), u"super"_s);
        QCOMPARE(users::activityLog(), &window.log());
        QVERIFY(window.log().pending().isEmpty());
    }
    QVERIFY(!users::activityLog());
}

QTEST_MAIN(TestActivityLog)
#include "test_activity_log.moc"
