#pragma once

#include "maintenance/framed_window.h"

class QLineEdit;
class QPushButton;

namespace platform {
class Database;
}

namespace maintenance {

/**
 * `options` (选项): the settings every desk on the database shares; today the months before its expiry date from
 * which a batch is warned about when it is sold. For the super user and the administrator.
 */
class OptionsWindow final : public FramedWindow
{
    Q_OBJECT

public:
    explicit OptionsWindow(platform::Database& database);

private:
    void confirm();

    platform::Database& m_database;
    QLineEdit* m_months;
    QPushButton* m_confirm;
    QPushButton* m_back;
};

} // namespace maintenance
