#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace testsupport {

/** What a PDF file written by Qt says about itself in its uncompressed dictionaries. */
struct PdfFacts
{
    int pages = 0;
    QList<QSizeF> mediaBoxes; ///< in points, one a page
    QStringList fonts; ///< base names of the embedded fonts, subset prefix removed
};

/** The facts of the file; all empty when it cannot be read. */
PdfFacts readPdf(const QString& path);

} // namespace testsupport
