#pragma once

#include <QPicture>
#include <QSizeF>
#include <QString>

namespace platform {

/**
 * Where composed slip pages go: the printer in the program, a recorder in tests, a PDF file where no printer is.
 * A run is begin(), printPage() for every page, then end(); a run in which a call failed is closed with abort().
 */
class PageSink
{
public:
    virtual ~PageSink() = default;

    /** Starts a printing run as one job; false (with errorText()) when the device cannot be opened. */
    virtual bool begin(const QString& jobName, const QSizeF& pageSizeMm) = 0;
    /** Prints one page drawn in twips (1/1440 inch) from the top-left corner of the paper. */
    virtual bool printPage(const QPicture& page) = 0;
    /** Finishes the job; false (with errorText()) when it could not be handed over. */
    virtual bool end() = 0;
    /** Gives up a run after a failed call: nothing more goes out, and a partly written file is removed. */
    virtual void abort() = 0;
    virtual QString errorText() const = 0;
    /**
     * The file the last run was written to when it went to a file instead of a printer, chosen or in place of a
     * printer that failed; else empty.
     */
    virtual QString writtenFile() const { return {}; }
    /** What the user should know of the last run besides a failure: why a file took it, a paper too small. */
    virtual QString notice() const { return {}; }
};

PageSink& pageSink();
/** Installs a replacement sink (not owned); nullptr restores the default. */
void setPageSink(PageSink* replacement);
/** Sets the sink used when no replacement is installed (owned by the caller). */
void setDefaultPageSink(PageSink* sink);

} // namespace platform
