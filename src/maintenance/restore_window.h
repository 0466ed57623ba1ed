#pragma once

#include "maintenance/framed_window.h"

#include <QPointer>

class QLabel;
class QListWidget;
class QPushButton;

namespace platform {
class Database;
}

namespace maintenance {

class DriveList;
class FolderList;

/**
 * `导入`: restores the database from a chosen backup file. The main window is disabled while the window is loaded
 * and gets the focus back when it goes. A refused file is reported and the window stays; after a restore the window
 * closes, the main window is closed (its shutdown saves the log into the restored database) and the program is
 * started anew so that the user signs in again.
 */
class RestoreWindow final : public FramedWindow
{
    Q_OBJECT

public:
    RestoreWindow(platform::Database& database, QWidget& mainWindow);
    ~RestoreWindow() override;

    /** The full path of the chosen file (`Label3`); empty while none is chosen. */
    QString chosenFile() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void showFolder(const QString& folder);
    void chooseFile();
    void restore();
    void giveMainWindowBack();

    platform::Database& m_database;
    QPointer<QWidget> m_mainWindow;
    DriveList* m_drives;
    FolderList* m_folders;
    QListWidget* m_files;
    QLabel* m_shownPath;
    QLabel* m_chosenFile;
    QPushButton* m_confirm;
};

} // namespace maintenance
