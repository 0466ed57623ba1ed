#include "maintenance/restore_window.h"

#include "maintenance/database_copy.h"
#include "maintenance/drive_list.h"
#include "maintenance/enter_key.h"
#include "maintenance/folder_list.h"
#include "maintenance/short_path.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/progress.h"
#include "users/log_wording.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

const QString backupPattern = u"*.bak"_s;
// A shortened path fits the label in this many bytes.
constexpr int shownPathBytes = 55;

} // namespace

RestoreWindow::RestoreWindow(platform::Database& database, QWidget& mainWindow)
    : FramedWindow(u"导入"_s, u"Label2"_s, u"Quenvale数据恢复"_s, { u"进入数据恢复系统。"_s, u"退出数据恢复系统。"_s })
    , m_database(database)
    , m_mainWindow(&mainWindow)
    , m_drives(new DriveList)
    , m_folders(new FolderList)
    , m_files(new QListWidget)
    , m_shownPath(new QLabel)
    , m_chosenFile(new QLabel(this))
    , m_confirm(new QPushButton(u"确定"_s))
{
    auto* prompt = new QLabel(u"请选择要恢复的数据文件:"_s);
    prompt->setObjectName(u"Label1"_s);
    m_drives->setObjectName(u"Drive1"_s);
    m_folders->setObjectName(u"Dir1"_s);
    m_files->setObjectName(u"File1"_s);
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);
    m_folders->setMinimumSize(240, 200);
    m_files->setMinimumSize(200, 200);
    m_shownPath->setObjectName(u"text1"_s);
    m_shownPath->setFrameShape(QFrame::Panel);
    m_shownPath->setFrameShadow(QFrame::Sunken);
    m_chosenFile->setObjectName(u"Label3"_s);
    m_chosenFile->hide();
    m_confirm->setObjectName(u"Command1"_s);
    m_confirm->setEnabled(false);
    auto* cancel = new QPushButton(u"取消"_s);
    cancel->setObjectName(u"Command2"_s);

    auto* folderColumn = new QVBoxLayout;
    folderColumn->addWidget(m_drives);
    folderColumn->addWidget(m_folders);
    auto* lists = new QHBoxLayout;
    lists->addLayout(folderColumn);
    lists->addWidget(m_files);
    content()->addWidget(prompt);
    content()->addLayout(lists);
    content()->addWidget(m_shownPath);
    addButtons(m_confirm, cancel);
    pressOnEnter(m_confirm);

    connect(m_drives, &DriveList::driveChosen, m_folders, &FolderList::setFolder);
    connect(m_folders, &FolderList::folderChanged, this, &RestoreWindow::showFolder);
    connect(m_files, &QListWidget::itemSelectionChanged, this, &RestoreWindow::chooseFile);
    connect(m_confirm, &QPushButton::clicked, this, &RestoreWindow::restore);
    connect(cancel, &QPushButton::clicked, this, [this] { leave(); });

    mainWindow.setEnabled(false);
    m_folders->setFolder(backupFolder());
}

RestoreWindow::~RestoreWindow()
{
    giveMainWindowBack();
}

QString RestoreWindow::chosenFile() const
{
    return m_chosenFile->text();
}

void RestoreWindow::hideEvent(QHideEvent* event)
{
    FramedWindow::hideEvent(event);
    // minimizing is a hide the window system sends; only the program's own close or hide ends the window's hold
    if (!event->spontaneous())
        giveMainWindowBack();
}

void RestoreWindow::giveMainWindowBack()
{
    if (!m_mainWindow)
        return;
    QWidget* mainWindow = m_mainWindow;
    m_mainWindow = nullptr;
    mainWindow->setEnabled(true);
    mainWindow->activateWindow();
    mainWindow->setFocus();
}

void RestoreWindow::showFolder(const QString& folder)
{
    m_drives->showVolumeOf(folder);
    m_files->clear();
    m_files->addItems(QDir(folder).entryList({ backupPattern }, QDir::Files, QDir::Name | QDir::IgnoreCase));
    const QString pattern = pathInFolder(folder, backupPattern);
    m_shownPath->setText(shownPath(pattern, backupPattern, shownPathBytes));
    chooseFile();
}

void RestoreWindow::chooseFile()
{
    const QList<QListWidgetItem*> selected = m_files->selectedItems();
    if (selected.isEmpty()) {
        m_chosenFile->clear();
        m_confirm->setEnabled(false);
        return;
    }
    const QString name = selected.first()->text();
    const QString path = pathInFolder(m_folders->folder(), name);
    m_chosenFile->setText(path);
    m_shownPath->setText(shownPath(path, name, shownPathBytes));
    m_confirm->setEnabled(true);
}

void RestoreWindow::restore()
{
    const QString file = chosenFile();
    if (file.isEmpty())
        return;
    setEnabled(false);
    PreparedRestore prepared;
    RestoreOutcome outcome = RestoreOutcome::Failed;
    // a server's tables are copied here for the safety copy, on the connection's thread
    const BackupSource live(m_database);
    const QString safetyFolder = backupFolder();
    // Everything up to the replacement can be stopped; the replacement itself is one step on this thread.
    platform::runLongWork(u"正在恢复数据..."_s, true, [&](platform::Progress& progress) {
        outcome = prepared.prepare(live, file, safetyFolder, progress);
    });
    if (outcome == RestoreOutcome::Restored)
        outcome = prepared.finish(m_database);
    setEnabled(true);
    if (outcome == RestoreOutcome::Stopped)
        return; // the database is as it was, and the user knows why
    if (outcome != RestoreOutcome::Restored) {
        platform::inform(outcome == RestoreOutcome::SafetyCopyFailed
                             ? u"恢复前的数据备份失败,数据未恢复,请检查备份文件夹!"_s
                             : u"备份文件已损坏,或此备份文件不是本系统所备份,请检查!"_s);
        users::logAction(u"恢复系统数据,失败。"_s);
        return;
    }
    platform::inform(u"导入数据完成!请重新登陆系统"_s);
    users::logAction(u"恢复系统数据,成功。"_s);
    const QPointer<QWidget> mainWindow = m_mainWindow;
    close();
    if (mainWindow)
        mainWindow->close();
    platform::launcher().restartProgram();
}

} // namespace maintenance
