#pragma once

#include "records/medicine_records.h"
#include "records/record_form.h"

class QComboBox;

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace records {

/**
 * `modiM`: a medicine looked up by name when the focus leaves the name box, chosen among the medicines of that name in
 * `Combo1`, and changed in every field but its name.
 */
class MedicineModifyWindow final : public RecordForm
{
    Q_OBJECT

public:
    explicit MedicineModifyWindow(platform::Database& database);

protected:
    void confirm() override;
    void leaving() override;

private:
    void lookUp();
    void choose(int candidate);
    void showMedicine();

    store::BoundRecordset* m_catalogue;
    MedicineEditor m_editor;
    QComboBox* m_candidates;
};

} // namespace records
