#pragma once

#include "platform/database.h"
#include "support/test_server.h"

#include <QTemporaryDir>
#include <memory>

namespace testsupport {

/**
 * A fresh database in a temporary folder that disappears with the fixture: a file there, or a schema of its own on
 * the test server when the test runs on one (onTestServer()). path() names it either way, so further connections
 * open the same database.
 */
class ScratchDatabase final
{
public:
    /** An empty database; with delivered = true the database the program creates on its first start. */
    explicit ScratchDatabase(bool delivered = false);

    platform::Database& db() { return *m_database; }
    QString folder() const { return m_dir.path(); }
    QString path() const;
    bool onServer() const { return m_schema != nullptr; }

    /** Creates a table with TEXT columns and fills it with rows (each row in column order). */
    void createTable(const QString& table, const QStringList& columns, const QList<QStringList>& rows = {});
    /** Every row of a table in stored order. */
    QList<QStringList> rows(const QString& table);
    /** Every index the program made (those the engine makes for itself left out), sorted by name. */
    QStringList indexNames();

    /**
     * Gives the delivered database's lookup indexes the names earlier versions gave them, "lookup_1" to "lookup_4",
     * as in a database made before they were renamed.
     */
    void useEarlierLookupIndexNames();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ServerSchema> m_schema;
    std::unique_ptr<platform::Database> m_database;
};

} // namespace testsupport
