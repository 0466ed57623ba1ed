#pragma once

#include <QListWidget>

namespace maintenance {

/**
 * A folder list: the current folder with the folders above it up to the root, then the folders inside it. Opening
 * an entry (double click or Enter) makes it the current folder.
 */
class FolderList final : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    QString folder() const { return m_folder; }
    /** Goes to the folder, or to the nearest folder above it that exists; emits folderChanged(). */
    void setFolder(const QString& folder);

signals:
    void folderChanged(const QString& folder);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill();

    QString m_folder;
};

} // namespace maintenance
