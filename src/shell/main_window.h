#pragma once

#include "platform/twips.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>

class QLabel;
class QTimer;

namespace platform {
class Database;
}

namespace store {
class BoundRecordset;
}

namespace shell {

class QuitWindow;

/**
 * `main`: the frame every other window is opened from, with its menu bar, toolbar strip and banner. It keeps a fixed
 * size and place for the whole run, whatever the user or the window system does to it short of minimizing it; on a
 * screen too small for that place it keeps the nearest place that lies wholly on the screen. Closing it by any way
 * starts the shutdown, which ends the program.
 */
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(platform::Database& database, QWidget* parent = nullptr);
    ~MainWindow() override;

    /** The top-left corner of the window's frame. */
    static constexpr QPoint fixedPlace { 0, 330 };
    /** The window with its menu bar; the window system's title bar and borders come on top. */
    static constexpr QSize fixedSize = platform::twipsRect(0, 0, 12000, 8430).size();

    platform::Database& database() const { return m_database; }

    /**
     * Attaches what a menu entry or toolbar image does, by its object name; it replaces an earlier handler. An entry
     * without a handler does nothing.
     */
    void setCommand(const QString& name, std::function<void()> handler);
    void runCommand(const QString& name);
    bool hasCommand(const QString& name) const { return m_commands.contains(name); }
    /** The menu entry or submenu with that object name, e.g. to disable it; nullptr when there is none. */
    QAction* menuEntry(const QString& name) const;

    /** `Data1` on table 抬头. */
    store::BoundRecordset& letterheadRecords() const { return *m_letterheadRecords; }
    /** `Data2` on table 流水号. */
    store::BoundRecordset& serialRecords() const { return *m_serialRecords; }

    /** true from the start of the shutdown on. */
    bool isQuitting() const { return m_quitting; }

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildClientArea();
    void showTitle();
    void keepInPlace();
    void keepSize();
    void hideEntryWindows();
    void shutDown();

    platform::Database& m_database;
    store::BoundRecordset* m_letterheadRecords;
    store::BoundRecordset* m_serialRecords;
    QLabel* m_letterheadLabel = nullptr;
    QLabel* m_serialLabel = nullptr;
    QTimer* m_titleTimer;
    bool m_titleShown = false;
    bool m_quitting = false;
    QHash<QString, std::function<void()>> m_commands;
    std::unique_ptr<QuitWindow> m_quitWindow;
};

} // namespace shell
