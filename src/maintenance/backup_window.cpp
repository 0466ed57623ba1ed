#include "maintenance/backup_window.h"

#include "maintenance/backup_file.h"
#include "maintenance/database_copy.h"
#include "maintenance/drive_list.h"
#include "maintenance/enter_key.h"
#include "maintenance/folder_list.h"
#include "maintenance/short_path.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/progress.h"
#include "users/log_wording.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

// A shortened target fits the label in this many bytes.
constexpr int shownTargetBytes = 45;

} // namespace

BackupWindow::BackupWindow(platform::Database& database)
    : FramedWindow(u"backupform"_s, u"Label7"_s, u"数据备份"_s, { u"进入备份系统。"_s, u"退出备份系统。"_s })
    , m_database(database)
    , m_drives(new DriveList)
    , m_folders(new FolderList)
    , m_shownTarget(new QLabel)
    , m_target(new QLabel(this))
    , m_confirm(new QPushButton(u"确  定"_s))
{
    auto* prompt = new QLabel(u"请选择备份路径:"_s);
    prompt->setObjectName(u"Label1"_s);
    m_drives->setObjectName(u"Drive1"_s);
    m_folders->setObjectName(u"Dir1"_s);
    m_folders->setMinimumSize(320, 180);
    auto* frame = new QGroupBox;
    frame->setObjectName(u"Frame1"_s);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_drives);
    frameLayout->addWidget(m_folders);
    m_shownTarget->setObjectName(u"text1"_s);
    m_shownTarget->setFrameShape(QFrame::Panel);
    m_shownTarget->setFrameShadow(QFrame::Sunken);
    m_target->setObjectName(u"Label2"_s);
    m_target->hide();

    m_confirm->setObjectName(u"Command1"_s);
    auto* back = new QPushButton(u"返  回"_s);
    back->setObjectName(u"Command2"_s);

    content()->addWidget(prompt);
    content()->addWidget(frame);
    content()->addWidget(m_shownTarget);
    addButtons(m_confirm, back);
    pressOnEnter(m_confirm);

    connect(m_drives, &DriveList::driveChosen, m_folders, &FolderList::setFolder);
    connect(m_folders, &FolderList::folderChanged, this, &BackupWindow::showTarget);
    connect(m_confirm, &QPushButton::clicked, this, &BackupWindow::backUp);
    connect(back, &QPushButton::clicked, this, [this] { leave(); });

    const QString proposed = backupFolder();
    // a missing folder is made now, so that the list can show it; writing tries again if that fails
    QDir().mkpath(proposed);
    m_folders->setFolder(proposed);
}

QString BackupWindow::target() const
{
    return m_target->text();
}

void BackupWindow::showTarget(const QString& folder)
{
    m_drives->showVolumeOf(folder);
    const QString name = backupFileName(platform::clock().today());
    const QString path = pathInFolder(folder, name);
    m_target->setText(path);
    m_shownTarget->setText(shownPath(path, name, shownTargetBytes));
}

void BackupWindow::backUp()
{
    setEnabled(false);
    BackupOutcome outcome = BackupOutcome::TargetUnwritable;
    const QString path = target();
    // a server's tables are copied here, on the connection's thread; the rest runs as long work
    const BackupSource source(m_database);
    platform::runLongWork(u"正在备份数据..."_s, true, [&outcome, &source, &path](platform::Progress& progress) {
        outcome = writeBackup(source, path, progress);
    });
    setEnabled(true);
    switch (outcome) {
    case BackupOutcome::Stopped:
        // nothing was written: the window stays for another try
        return;
    case BackupOutcome::Written:
        close();
        platform::inform(u"数据备份完成!"_s);
        users::logAction(u"备份据数,成功。"_s);
        return;
    case BackupOutcome::DatabaseUnreadable:
        platform::inform(u"数据库错误，请检查数据库！"_s);
        return;
    case BackupOutcome::TargetUnwritable:
        platform::inform(u"数据备份失败,请检查备份路径!"_s);
        return;
    }
}

} // namespace maintenance
