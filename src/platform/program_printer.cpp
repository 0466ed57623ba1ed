#include "platform/program_printer.h"

#include <QCoreApplication>
#include <QPrinter>

namespace platform {

namespace {
QPrinter* printer = nullptr;
}

QPrinter& programPrinter()
{
    if (!printer) {
        printer = new QPrinter(QPrinter::HighResolution);
        // deleted while the application still exists: a printer outliving it may reach into an unloaded plugin
        qAddPostRoutine([] {
            delete printer;
            printer = nullptr;
        });
    }
    return *printer;
}

} // namespace platform
