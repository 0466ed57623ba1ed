#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace platform {

/** Starts things outside the program and ends the program itself. */
class Launcher
{
public:
    virtual ~Launcher() = default;

    /** Opens a web address in the user's browser; false when no browser could be started. */
    virtual bool openUrl(const QUrl& url) = 0;
    /** Starts another program without waiting for it; false when it could not be started. */
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
    /** Starts this program anew (after a restore) without waiting for it. */
    virtual bool restartProgram() = 0;
    /** Ends the program: the event loop returns and the windows are torn down. */
    virtual void endProgram(int exitCode) = 0;
};

Launcher& launcher();
/** Installs a replacement launcher (not owned); nullptr restores the system one. */
void setLauncher(Launcher* replacement);

} // namespace platform
