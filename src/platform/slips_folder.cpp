#include "platform/slips_folder.h"

#include "platform/data_folder.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace platform {

QString slipsFolder()
{
    return QDir(dataFolder()).filePath(u"slips"_s);
}

bool makeSlipsFolder(QString* problem)
{
    const QString folder = slipsFolder();
    if (QDir().mkpath(folder))
        return true;
    *problem = u"无法建立文件夹 %1"_s.arg(QDir::toNativeSeparators(folder));
    return false;
}

} // namespace platform
