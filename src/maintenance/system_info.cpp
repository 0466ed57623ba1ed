#include "maintenance/system_info.h"

#include "platform/launcher.h"

#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

QString systemInfoViewer()
{
    // the desktops' own viewers first, then the stand-alone ones
    for (const QString& name : { u"kinfocenter"_s, u"hardinfo2"_s, u"hardinfo"_s }) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty())
            return program;
    }
    return {};
}

bool startSystemInfoViewer()
{
    const QString program = systemInfoViewer();
    return !program.isEmpty() && platform::launcher().startDetached(program, {});
}

} // namespace maintenance
