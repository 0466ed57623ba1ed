#pragma once

#include "records/record_form.h"

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace records {

/** `addnewM`: a new medicine for the catalogue, typed into an empty record. */
class MedicineAddWindow final : public RecordForm
{
    Q_OBJECT

public:
    explicit MedicineAddWindow(platform::Database& database);

protected:
    void opened() override;
    void confirm() override;
    void leaving() override;

private:
    store::BoundRecordset* m_catalogue;
    /** The clerk has written the 助记码 box: it no longer follows the name. */
    bool m_ownMnemonic = false;
};

} // namespace records
