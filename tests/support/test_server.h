#pragma once

#include <QString>
#include <memory>

namespace platform {
class Database;
}

namespace testsupport {

/**
 * Whether this run of a test works on a PostgreSQL server: the second registration of a test sets
 * QUENVALE_TEST_ENGINE=postgresql, and QUENVALE_TEST_DATABASE_URL names the server (tools/pg-cluster.sh). A run
 * that asks for the server while none is named ends before its first test with exit code 77, which ctest counts as
 * skipped, after saying why.
 */
bool onTestServer();
/** The server's URL; empty when none is configured. */
QString testServerUrl();

/**
 * A schema of its own on the test server for one fixture, dropped with it: every connection opened on url() sees
 * only that schema, so each test starts on an empty database.
 */
class ServerSchema final
{
public:
    ServerSchema();
    ~ServerSchema();
    ServerSchema(const ServerSchema&) = delete;
    ServerSchema& operator=(const ServerSchema&) = delete;

    /** The server's URL with the schema as the only one searched. */
    QString url() const { return m_url; }

private:
    QString m_schema;
    QString m_url;
};

} // namespace testsupport
