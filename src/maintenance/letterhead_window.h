#pragma once

#include "maintenance/framed_window.h"

class QLineEdit;
class QPushButton;

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace maintenance {

/**
 * `修改抬头`: changes the letterhead title after a confirmation. The running program keeps showing and printing the
 * title it read at start-up; the new one shows from the next start.
 */
class LetterheadWindow final : public FramedWindow
{
    Q_OBJECT

public:
    explicit LetterheadWindow(platform::Database& database);

private:
    void change();

    store::BoundRecordset* m_titles;
    QLineEdit* m_title;
    QPushButton* m_change;
    QPushButton* m_back;
};

} // namespace maintenance
