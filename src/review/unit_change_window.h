#pragma once

#include <QWidget>

class QComboBox;

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace review {

/**
 * `修改`: replaces the customer unit of the sale in progress with a name picked from the unit register or typed.
 * Only the working set changes; a sale already stored stays under its unit.
 */
class UnitChangeWindow final : public QWidget
{
    Q_OBJECT

public:
    /** The unit list is filled one tick after the window is first shown. */
    explicit UnitChangeWindow(platform::Database& database, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fillUnits();
    void confirm();
    /** Closes the window without counting as the user leaving it. */
    void finish();

    store::BoundRecordset* m_units;
    QComboBox* m_unitBox = nullptr;
    bool m_ended = false;
};

} // namespace review
