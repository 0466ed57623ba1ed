#include "support/scratch_database.h"

#include "store/engine_sql.h"
#include "store/schema.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace testsupport {

ScratchDatabase::ScratchDatabase(bool delivered)
{
    if (onTestServer()) {
        m_schema = std::make_unique<ServerSchema>();
        m_database = std::make_unique<platform::Database>(m_schema->url());
        QVERIFY2(m_database->isOpen(), qPrintable(m_database->lastError()));
        if (delivered)
            QVERIFY2(store::createDeliveredContent(*m_database), qPrintable(m_database->lastError()));
        return;
    }
    const QString file = QDir(m_dir.path()).filePath(u"useall.mdb"_s);
    if (delivered)
        QVERIFY2(store::createDeliveredDatabase(file), "the delivered database could not be created");
    m_database = std::make_unique<platform::Database>(file);
}

QString ScratchDatabase::path() const
{
    return m_database->path();
}

void ScratchDatabase::createTable(const QString& table, const QStringList& columns, const QList<QStringList>& rows)
{
    for (const QString& statement : store::createTableStatements(*m_database, table, columns))
        QVERIFY2(m_database->exec(statement), qPrintable(m_database->lastError()));
    QStringList quoted;
    for (const auto& column : columns)
        quoted << platform::quoteIdentifier(column);
    const QString placeholders = QStringList(columns.size(), u"?"_s).join(u',');
    for (const auto& row : rows) {
        QVariantList values;
        for (const auto& value : row)
            values << value;
        QVERIFY2(m_database->exec(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(store::engineTable(*m_database, table),
                                                                           quoted.join(u','), placeholders),
                                  values),
                 qPrintable(m_database->lastError()));
    }
}

QList<QStringList> ScratchDatabase::rows(const QString& table)
{
    QList<QStringList> result;
    const QStringList columns = store::tableColumns(*m_database, table);
    if (columns.isEmpty())
        return result;
    QStringList quoted;
    for (const auto& column : columns)
        quoted << platform::quoteIdentifier(column);
    QSqlQuery query = m_database->prepare(u"SELECT %1 FROM %2 ORDER BY %3"_s.arg(
        quoted.join(u','), store::engineTable(*m_database, table), store::storedOrder(*m_database, columns)));
    if (!query.exec())
        return result;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i).toString();
        result << row;
    }
    return result;
}

QStringList ScratchDatabase::indexNames()
{
    QStringList names;
    // a server's own indexes, the keys of the ordering columns, are left out
    QSqlQuery query = m_database->prepare(
        onServer() ? u"SELECT indexname FROM pg_indexes WHERE schemaname = current_schema() AND indexname NOT LIKE "
                     u"'% 顺序键' ORDER BY indexname COLLATE \"C\""_s
                   : u"SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name"_s);
    if (!query.exec())
        return names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

void ScratchDatabase::useEarlierLookupIndexNames()
{
    QSqlQuery current = m_database->prepare(u"SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                                            u"AND tbl_name IN ('药品', 'user', '单位')"_s);
    QVERIFY(current.exec());
    QStringList names;
    while (current.next())
        names << current.value(0).toString();
    current.finish();
    for (const QString& name : names)
        QVERIFY2(m_database->exec(u"DROP INDEX "_s + platform::quoteIdentifier(name)), qPrintable(name));
    const QList<std::pair<QString, QString>> earlier {
        { u"药品"_s, u"名称"_s }, { u"药品"_s, u"代号"_s }, { u"user"_s, u"username"_s }, { u"单位"_s, u"单位名称"_s }
    };
    int number = 0;
    for (const auto& [table, column] : earlier) {
        QVERIFY2(m_database->exec(u"CREATE INDEX \"lookup_%1\" ON \"%2\" (\"%3\" COLLATE NOCASE)"_s.arg(++number).arg(
                     table, column)),
                 qPrintable(m_database->lastError()));
    }
}

} // namespace testsupport
