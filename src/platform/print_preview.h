#pragma once

#include <QList>
#include <QPicture>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace platform {

/** A document for the print preview: pages of one size, each drawn in twips from the top-left corner of the paper. */
struct PreviewDocument
{
    QString title;
    QSizeF pageSizeMm;
    QList<QPicture> pages;
};

/** The print preview window, behind a seam so that tests do not block on a modal window. */
class PrintPreview
{
public:
    virtual ~PrintPreview() = default;

    /**
     * Shows the document over the active window until the user closes it. True when the user asked there for the
     * document to be printed: the preview has closed by then, and the caller prints it its own way.
     */
    virtual bool show(const PreviewDocument& document) = 0;
};

/** The installed preview; Qt's print preview dialog until a test installs another. */
PrintPreview& printPreview();
/** Installs a replacement (not owned); nullptr restores Qt's dialog. */
void setPrintPreview(PrintPreview* replacement);

/**
 * Draws the pages on the device, one a sheet, at their true size from the corner of the paper; `nextSheet` starts
 * each sheet after the first. False when the device cannot be painted on or a sheet cannot be started.
 */
bool paintPages(QPaintDevice& device, const QList<QPicture>& pages, const std::function<bool()>& nextSheet);

/** A printer that never reaches the print system, on paper the size of the document's pages and without margins. */
std::unique_ptr<QPrinter> previewPrinter(const PreviewDocument& document);

/**
 * Qt's preview dialog for the document on the printer, not yet shown: it opens at true size, its own paper and
 * orientation settings are gone, and its print button calls `print` instead of Qt's printing.
 */
std::unique_ptr<QPrintPreviewDialog> previewDialog(QPrinter& printer, const PreviewDocument& document, QWidget* parent,
                                                   const std::function<void()>& print);

} // namespace platform
