#include "platform/pdf_text_map.h"

#include <QChar>
#include <QString>

namespace platform {

namespace {

/** The ideograph a radical stands for; the code itself when it is no radical with one. */
char32_t ideographOf(char32_t code)
{
    const bool radical = (code >= 0x2E80 && code <= 0x2EF3) || (code >= 0x2F00 && code <= 0x2FD5);
    if (!radical || QChar::decompositionTag(code) != QChar::Compat)
        return code;
    const QString decomposed = QChar::decomposition(code);
    return decomposed.size() == 1 ? decomposed.at(0).unicode() : code;
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

/**
 * Rewrites the destination codes of one map line in place. In a range line ("<from> <to> <code>" or "<from> <to>
 * [<code> …]") the first two hex strings are glyphs; in a single-glyph line ("<glyph> <code>") the first one is.
 */
void mendLine(char* line, qsizetype length, int glyphTokens)
{
    int token = 0;
    for (qsizetype at = 0; at < length; ++at) {
        if (line[at] != '<')
            continue;
        const qsizetype close = QByteArrayView(line + at, length - at).indexOf('>');
        if (close < 0)
            return;
        const bool code = token++ >= glyphTokens;
        if (code && close == 5 && isHex(line[at + 1]) && isHex(line[at + 2]) && isHex(line[at + 3])
            && isHex(line[at + 4])) {
            bool ok = false;
            const char32_t value = QByteArray(line + at + 1, 4).toUInt(&ok, 16);
            const char32_t ideograph = ideographOf(value);
            if (ok && ideograph != value && ideograph <= 0xFFFF) {
                const QByteArray hex
                    = QByteArray::number(static_cast<uint>(ideograph), 16).toUpper().rightJustified(4, '0');
                std::copy(hex.begin(), hex.end(), line + at + 1);
            }
        }
        at += close;
    }
}

void mendSections(QByteArray& pdf, const QByteArray& begin, const QByteArray& end, int glyphTokens)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = pdf.indexOf(begin, from);
        if (start < 0)
            return;
        const qsizetype stop = pdf.indexOf(end, start);
        if (stop < 0)
            return;
        qsizetype line = start + begin.size();
        while (line < stop) {
            qsizetype lineEnd = pdf.indexOf('\n', line);
            if (lineEnd < 0 || lineEnd > stop)
                lineEnd = stop;
            mendLine(pdf.data() + line, lineEnd - line, glyphTokens);
            line = lineEnd + 1;
        }
        from = stop + end.size();
    }
}

} // namespace

QByteArray unifyRadicalsInTextMaps(QByteArray pdf)
{
    mendSections(pdf, "beginbfrange", "endbfrange", 2);
    mendSections(pdf, "beginbfchar", "endbfchar", 1);
    return pdf;
}

} // namespace platform
