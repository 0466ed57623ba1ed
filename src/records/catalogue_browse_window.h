#pragma once

#include "records/catalogue_search.h"
#include "records/record_window.h"
#include "store/counted_browser.h"

class QLineEdit;
class QPushButton;

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace records {

/** What tells the catalogue's two browse windows apart. */
struct CatalogueView
{
    QString name;
    QString heading;
    QString emptyMessage; ///< shown when the catalogue is empty at opening
    bool deleting = false; ///< shows the purchase price, deletes the medicine shown and writes log entries

    /** `药品档案查询`: browsing only; the purchase price stays out of sight. */
    static CatalogueView browsing();
    /** `Form3`: browsing and deleting. */
    static CatalogueView deletion();
};

/**
 * Steps through the catalogue one medicine at a time with counted browsing, or, in find mode, among the medicines of
 * a name searched for. Text1 always holds a name: the medicine's, or the one being searched for.
 */
class CatalogueBrowseWindow final : public RecordWindow
{
    Q_OBJECT

public:
    CatalogueBrowseWindow(platform::Database& database, const CatalogueView& view);

protected:
    void opened() override;
    void leaving() override;

private:
    QPushButton* addButton(const QString& name, const QString& caption);
    void showName();
    void showBrowseButtons();
    void setFindMode(bool on);
    void browseStep(store::CountedBrowser::Step step);
    void search();
    void findEnd(CatalogueSearch::Result result);
    void removeMedicine();

    CatalogueView m_view;
    store::BoundRecordset* m_catalogue;
    store::CountedBrowser m_browser;
    CatalogueSearch m_search;
    QLineEdit* m_name = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QList<QPushButton*> m_browseSet;
    QList<QPushButton*> m_findSet;
};

} // namespace records
