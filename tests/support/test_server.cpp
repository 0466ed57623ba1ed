#include "support/test_server.h"

#include "platform/database.h"

#include <QCoreApplication>
#include <QTest>
#include <QUrl>
#include <atomic>
#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace testsupport {

namespace {

std::atomic<int> schemaCounter { 0 };

// Runs before main(): a run on the server without one is skipped as a whole, and says so.
const bool serverCheckedAtStart = [] {
    if (qEnvironmentVariable("QUENVALE_TEST_ENGINE") == u"postgresql"_s && testServerUrl().isEmpty()) {
        std::fputs("SKIP: no PostgreSQL server configured for this run; start one with "
                   "`eval \"$(bash tools/pg-cluster.sh start)\"` (sets QUENVALE_TEST_DATABASE_URL)\n",
                   stdout);
        std::exit(77);
    }
    return true;
}();

QString withSetting(const QString& url, const QString& setting)
{
    return url + (url.contains(u'?') ? u'&' : u'?') + setting;
}

} // namespace

bool onTestServer()
{
    return serverCheckedAtStart && qEnvironmentVariable("QUENVALE_TEST_ENGINE") == u"postgresql"_s;
}

QString testServerUrl()
{
    return qEnvironmentVariable("QUENVALE_TEST_DATABASE_URL");
}

ServerSchema::ServerSchema() : m_schema(u"test_%1_%2"_s.arg(QCoreApplication::applicationPid()).arg(++schemaCounter))
{
    platform::Database admin(testServerUrl());
    QVERIFY2(admin.isOpen(), qPrintable(admin.lastError()));
    QVERIFY2(admin.exec(u"DROP SCHEMA IF EXISTS %1 CASCADE"_s.arg(m_schema)), qPrintable(admin.lastError()));
    QVERIFY2(admin.exec(u"CREATE SCHEMA %1"_s.arg(m_schema)), qPrintable(admin.lastError()));
    m_url = withSetting(testServerUrl(),
                        u"options="_s + QString::fromLatin1(QUrl::toPercentEncoding(u"-csearch_path="_s + m_schema)));
}

ServerSchema::~ServerSchema()
{
    platform::Database admin(testServerUrl());
    if (!admin.isOpen() || !admin.exec(u"DROP SCHEMA IF EXISTS %1 CASCADE"_s.arg(m_schema)))
        qWarning("the test schema %s could not be dropped: %s", qPrintable(m_schema), qPrintable(admin.lastError()));
}

} // namespace testsupport
