#include "platform/launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>

namespace platform {

namespace {

class SystemLauncher final : public Launcher
{
public:
    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }

    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }

    bool restartProgram() override
    {
        return QProcess::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
    }

    void endProgram(int exitCode) override { QCoreApplication::exit(exitCode); }
};

Launcher* installed = nullptr;

} // namespace

Launcher& launcher()
{
    static SystemLauncher system;
    return installed ? *installed : system;
}

void setLauncher(Launcher* replacement)
{
    installed = replacement;
}

} // namespace platform
