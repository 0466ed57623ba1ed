#pragma once

#include "records/record_form.h"

class QLabel;

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace records {

/** `addnewcom`: a new customer unit, stored together with its transaction and companion tables. */
class UnitAddWindow final : public RecordForm
{
    Q_OBJECT

public:
    explicit UnitAddWindow(platform::Database& database);

protected:
    void opened() override;
    void confirm() override;
    void leaving() override;

private:
    platform::Database& m_database;
    store::BoundRecordset* m_units;
    QLabel* m_addedBy;
};

} // namespace records
