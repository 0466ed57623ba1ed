#pragma once

#include "maintenance/framed_window.h"

class QLabel;
class QPushButton;

namespace platform {
class Database;
}

namespace maintenance {

class DriveList;
class FolderList;

/**
 * `backupform`: writes today's backup file into the chosen folder, starting at the folder `backup` of the data
 * folder, which is created when it is missing. A written backup closes the window; a failed one is reported and the
 * window stays.
 */
class BackupWindow final : public FramedWindow
{
    Q_OBJECT

public:
    explicit BackupWindow(platform::Database& database);

    /** The full path the backup goes to (`Label2`). */
    QString target() const;

private:
    void showTarget(const QString& folder);
    void backUp();

    platform::Database& m_database;
    DriveList* m_drives;
    FolderList* m_folders;
    QLabel* m_shownTarget;
    QLabel* m_target;
    QPushButton* m_confirm;
};

} // namespace maintenance
