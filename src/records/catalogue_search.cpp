#include "records/catalogue_search.h"

#include "store/bound_recordset.h"

using namespace Qt::Literals::StringLiterals;

namespace records {

CatalogueSearch::CatalogueSearch(store::BoundRecordset& catalogue) : m_catalogue(catalogue) { }

CatalogueSearch::Result CatalogueSearch::search(const QString& name)
{
    m_name = name;
    m_searched = true;
    return first();
}

CatalogueSearch::Result CatalogueSearch::first()
{
    if (!m_searched)
        return Result::NoSearch;
    m_catalogue.findFirst({ u"名称"_s, m_name });
    return m_catalogue.noMatch() ? Result::NotFound : Result::Found;
}

CatalogueSearch::Result CatalogueSearch::last()
{
    if (!m_searched)
        return Result::NoSearch;
    m_catalogue.findLast({ u"名称"_s, m_name });
    return m_catalogue.noMatch() ? Result::NotFound : Result::Found;
}

bool CatalogueSearch::previous()
{
    if (!m_searched)
        return false;
    m_catalogue.findPrevious({ u"名称"_s, m_name });
    return true;
}

bool CatalogueSearch::next()
{
    if (!m_searched)
        return false;
    m_catalogue.findNext({ u"名称"_s, m_name });
    return true;
}

} // namespace records
