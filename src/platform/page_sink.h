#pragma once

#include <QPicture>
#include <QSizeF>
#include <QString>

namespace platform {

/** Where composed slip pages go: the printer in the program, a recorder in tests, a PDF where no printer is. */
class PageSink
{
public:
    virtual ~PageSink() = default;

    /** Starts a printing run; false (with errorText()) when the device cannot be opened. */
    virtual bool begin(const QString& jobName, const QSizeF& pageSizeMm) = 0;
    /** Prints one page drawn in device-independent points (1/72 inch). */
    virtual bool printPage(const QPicture& page) = 0;
    virtual bool end() = 0;
    virtual QString errorText() const = 0;
};

PageSink& pageSink();
/** Installs a replacement sink (not owned); nullptr restores the default. */
void setPageSink(PageSink* replacement);
/** Sets the sink used when no replacement is installed (owned by the caller). */
void setDefaultPageSink(PageSink* sink);

} // namespace platform
