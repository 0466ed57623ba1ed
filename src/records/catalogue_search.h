#pragma once

#include <QString>

namespace store {
class BoundRecordset;
}

namespace records {

/**
 * The find mode of the catalogue's browse windows: one name searched for, and moves among the medicines carrying it.
 * Names compare without regard to Latin letter case.
 */
class CatalogueSearch final
{
public:
    enum class Result { NoSearch, Found, NotFound };

    explicit CatalogueSearch(store::BoundRecordset& catalogue);

    /** Searches from the first medicine; when none carries the name nothing moves, and the name is still kept. */
    Result search(const QString& name);
    bool hasSearched() const { return m_searched; }

    /** The first or last medicine of the name searched for; NotFound leaves the current one. */
    Result first();
    Result last();
    /** The previous or next medicine of that name; at either end the current one stays. false before any search. */
    bool previous();
    bool next();

private:
    store::BoundRecordset& m_catalogue;
    QString m_name;
    bool m_searched = false;
};

} // namespace records
