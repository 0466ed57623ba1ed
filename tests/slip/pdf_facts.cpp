#include "pdf_facts.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace testsupport {

PdfFacts readPdf(const QString& path)
{
    PdfFacts facts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return facts;
    const QString text = QString::fromLatin1(file.readAll());

    static const QRegularExpression page(u"/Type\\s*/Page(?!s)"_s);
    facts.pages = static_cast<int>(text.count(page));
    static const QRegularExpression mediaBox(u"/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"_s);
    for (auto match = mediaBox.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        facts.mediaBoxes << QSizeF(found.captured(1).toDouble(), found.captured(2).toDouble());
    }
    static const QRegularExpression fontName(u"/FontName\\s*/(?:[A-Z]{6}\\+)?([^\\s/]+)"_s);
    for (auto match = fontName.globalMatch(text); match.hasNext();)
        facts.fonts << match.next().captured(1);
    return facts;
}

} // namespace testsupport
