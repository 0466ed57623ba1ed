#include "maintenance/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

constexpr int pathRole = Qt::UserRole;

QString parentOf(const QString& path)
{
    return QFileInfo(path).path();
}

QString nearestExisting(const QString& folder)
{
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo(path).isDir() && parentOf(path) != path)
        path = parentOf(path);
    return path;
}

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // later, not inside the list's own mouse handling: going to the folder replaces every item
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString path = item->data(pathRole).toString();
        QMetaObject::invokeMethod(
            this, [this, path] { setFolder(path); }, Qt::QueuedConnection);
    });
}

void FolderList::setFolder(const QString& folder)
{
    m_folder = nearestExisting(folder);
    fill();
    emit folderChanged(m_folder);
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    // Enter opens the highlighted folder here; it does not go on to press the window's default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (QListWidgetItem* item = currentItem())
            setFolder(item->data(pathRole).toString());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::fill()
{
    clear();
    const QIcon openFolder = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedFolder = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto add = [this](const QIcon& icon, const QString& text, const QString& path, int depth) {
        auto* item = new QListWidgetItem(icon, QString(depth * 2, u' ') + text, this);
        item->setData(pathRole, path);
        return item;
    };

    QStringList chain { m_folder };
    while (parentOf(chain.first()) != chain.first())
        chain.prepend(parentOf(chain.first()));
    int depth = 0;
    QListWidgetItem* current = nullptr;
    for (const QString& path : std::as_const(chain)) {
        const QString name = QDir(path).isRoot() ? path : QFileInfo(path).fileName();
        current = add(openFolder, name, path, depth++);
    }
    const QDir here(m_folder);
    for (const QString& name : here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        add(closedFolder, name, here.filePath(name), depth);
    setCurrentItem(current);
}

} // namespace maintenance
