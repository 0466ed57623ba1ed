#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace platform {
class Database;
}

namespace store {

/** A criterion of the form field = value: the field's text equals the value, Latin letter case ignored. */
struct Criterion
{
    QString field;
    QString value;
};

/**
 * A window's data source: a cursor over one table with a current record, a pending record being added or edited,
 * and the outcome of the last find. Records are visited in stored order; a record just appended is last.
 *
 * Each move asks the database, so finds stay fast on large tables; only the current record's values are held.
 * Operations return false on failure and leave the source as it was, except that a table that cannot be read closes
 * the source; lastError() says why. Field names compare without regard to Latin letter case, as the database's do.
 * Values are text: a field holding no value at all reads as the empty text, and every value is written as text.
 *
 * A successful move, find or refresh drops a pending record, as leaving the record does in the windows.
 */
class BoundRecordset final : public QObject
{
    Q_OBJECT

public:
    enum class Mode { None, Adding, Editing };

    /** A source that reads nothing until a table is set. */
    explicit BoundRecordset(platform::Database& database, QObject* parent = nullptr);
    /** Opens the table; check isOpen(). */
    BoundRecordset(platform::Database& database, const QString& table, QObject* parent = nullptr);
    ~BoundRecordset() override;

    QString table() const { return m_table; }
    bool isOpen() const { return m_open; }
    QString lastError() const { return m_lastError; }

    /**
     * Points the source at a table (or the same one again) and re-reads it; current is its first record. When the
     * table does not exist the source is closed rather than left on the previous table, so that a later write cannot
     * land in a table the window no longer means.
     */
    bool setRecordSource(const QString& table);
    /** setRecordSource() with the same table. */
    bool refresh();

    // Finds: a successful find makes the found record current; a failed one sets noMatch() and keeps current.
    // Without a current record, next and previous go on from where the cursor left the records (the place of a
    // removed record, or past an end). A field that is not a column of the table is a failed find with lastError().
    void findFirst(const Criterion& criterion);
    void findNext(const Criterion& criterion);
    void findPrevious(const Criterion& criterion);
    void findLast(const Criterion& criterion);
    bool noMatch() const { return m_noMatch; }

    /** false on an empty table. */
    bool moveFirst();
    bool moveLast();
    /**
     * Moving past either end leaves no current record (still true). After a remove() the record that followed (or
     * preceded) the removed one is reached. false when already past that end, or on a database error.
     */
    bool moveNext();
    bool movePrevious();
    /** Makes the record at a 1-based position in stored order current; false when there is no such record. */
    bool moveToPosition(int position);

    /** The number of records of the table; 0 when it cannot be read. */
    int recordCount();

    bool hasCurrent() const { return m_current.has_value(); }
    /** The current record's field, or the pending value while adding or editing; nullopt when there is none. */
    std::optional<QString> value(const QString& field) const;
    /** Sets a pending field while adding or editing; false otherwise or for an unknown field. */
    bool setValue(const QString& field, const QString& text);
    QStringList fields() const { return m_fields; }
    /**
     * What bound controls show, in fields() order: the pending values while adding or editing, else the current
     * record's; after remove() those of the removed record, and empty texts after a move past an end.
     */
    QStringList shownValues() const { return m_mode == Mode::None ? m_shown : m_pending; }

    Mode mode() const { return m_mode; }
    /** Starts a pending record with every field empty; false when no table is open. */
    bool addNew();
    /** false when there is no current record. */
    bool edit();
    /**
     * Appends the pending record or writes the pending values; false with no pending record or on a database error.
     * After an append the record that was current before addNew() is current again, and none if there was none.
     */
    bool update();
    /** Drops the pending record; does nothing when nothing is pending. */
    void cancelUpdate();
    /** Removes the current record; afterwards there is no current record, and currentChanged() is not emitted. */
    bool remove();

    /**
     * Appends one record with the given field values (the other fields empty) in one step and makes it current. false
     * for an unknown field name, for lists of different lengths, or on a database error.
     */
    bool appendRecord(const QStringList& fieldNames, const QStringList& values);
    /**
     * Every record meeting the criterion, in stored order, as lists of field values in fields() order. Neither the
     * current record nor noMatch() changes; an unknown field gives the empty list with lastError().
     */
    QList<QStringList> findAll(const Criterion& criterion);
    /** Every record, in stored order, as lists of field values in fields() order. */
    QList<QStringList> allRecords();

signals:
    /**
     * What bound controls show changed: after a move, a find, a refresh, addNew(), update(), cancelUpdate() and
     * appendRecord(), but not after remove(), whose record stays on show.
     */
    void currentChanged();

private:
    // Where moves and finds go on from when there is no current record.
    enum class Gap { BeforeFirst, AfterLast, Removed };

    bool load(const QString& table);
    void close();
    bool requireOpen();
    bool makeCurrent(std::optional<qint64> rowid, Gap gapIfNone);
    bool moveWithin(const QString& where, const QVariantList& values, bool descending, Gap gapIfNone);
    std::optional<QString> beyondCursor(bool forward, QVariantList& values) const;
    std::optional<std::optional<qint64>> seek(const QString& where, const QVariantList& values, bool descending);
    void findFrom(const Criterion& criterion, bool forward, bool fromCursor);
    std::optional<qint64> insertRecord(const QStringList& record);
    QString selectColumns() const;
    QString quotedTable() const;
    int fieldIndex(const QString& field) const;
    void setMode(Mode mode, const QStringList& pending);
    void fail(const QString& text);

    platform::Database& m_database;
    QString m_table;
    QStringList m_fields;
    QString m_engineTable; // the table's name in statements, as the engine knows it
    QString m_rowid; // the expression that reaches the stored order, one no column of the table hides
    bool m_open = false;
    std::optional<qint64> m_current;
    Gap m_gap = Gap::BeforeFirst;
    qint64 m_gapAfter = 0; // a removed record's place: next takes rowids above, previous below
    qint64 m_gapBefore = 0;
    QStringList m_shown; // what bound controls show when nothing is pending
    Mode m_mode = Mode::None;
    QStringList m_pending;
    bool m_noMatch = false;
    QString m_lastError;
};

} // namespace store
