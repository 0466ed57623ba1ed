#pragma once

#include "records/record_form.h"
#include "records/unit_records.h"

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace records {

/**
 * `modicom`: a customer unit looked up by name and changed in every detail but its name. The name box serves one
 * lookup and is disabled after it, whatever it found.
 */
class UnitModifyWindow final : public RecordForm
{
    Q_OBJECT

public:
    explicit UnitModifyWindow(platform::Database& database);

protected:
    void confirm() override;
    void leaving() override;

private:
    void lookUp();

    store::BoundRecordset* m_units;
    UnitEditor m_editor;
    bool m_nameUsed = false;
};

} // namespace records
