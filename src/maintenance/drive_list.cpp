#include "maintenance/drive_list.h"

#include <QStorageInfo>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // read-only system images (snap packages and the like) are no place for a backup nor the source of one
        if (!volume.isValid() || !volume.isReady() || volume.fileSystemType() == "squashfs")
            continue;
        const QString root = volume.rootPath();
        const QString name = volume.name();
        addItem(name.isEmpty() ? root : u"%1 [%2]"_s.arg(root, name), root);
    }
    connect(this, &QComboBox::activated, this, [this](int index) { emit driveChosen(itemData(index).toString()); });
}

void DriveList::showVolumeOf(const QString& folder)
{
    const int index = findData(QStorageInfo(folder).rootPath());
    if (index >= 0)
        setCurrentIndex(index);
}

} // namespace maintenance
