#pragma once

#include <QComboBox>

namespace maintenance {

/** The mounted volumes by their root folders; choosing one by hand emits driveChosen(). */
class DriveList final : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    /** Shows the volume that holds the folder, without emitting driveChosen(). */
    void showVolumeOf(const QString& folder);

signals:
    void driveChosen(const QString& root);
};

} // namespace maintenance
