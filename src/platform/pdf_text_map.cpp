#include "platform/pdf_text_map.h"

#include <QChar>
#include <QFont>
#include <QRawFont>
#include <QSet>
#include <QString>

namespace platform {

namespace {

/** For every glyph of a font, the lowest code of the Basic Multilingual Plane that reaches it: the code Qt names it by.
 */
const QHash<quint32, char32_t>& lowestCodes(const QRawFont& font)
{
    static QHash<QString, QHash<quint32, char32_t>> cache;
    const QString key = font.familyName() + u'/' + font.styleName();
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    QString codes;
    codes.reserve(0x10000);
    for (char32_t code = 1; code < 0x10000; ++code) {
        if (!QChar::isSurrogate(code))
            codes += QChar(code);
    }
    const QList<quint32> glyphs = font.glyphIndexesForString(codes);
    QHash<quint32, char32_t> lowest;
    for (qsizetype i = 0; i < glyphs.size() && i < codes.size(); ++i) {
        if (glyphs.at(i) != 0 && !lowest.contains(glyphs.at(i)))
            lowest.insert(glyphs.at(i), codes.at(i).unicode());
    }
    return *cache.insert(key, lowest);
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

/**
 * Rewrites the destination codes of one map line in place. In a range line ("<from> <to> <code>" or "<from> <to>
 * [<code> …]") the first two hex strings are glyphs; in a single-glyph line ("<glyph> <code>") the first one is.
 */
void mendLine(char* line, qsizetype length, int glyphTokens, const GlyphRenames& renames)
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
            const char32_t renamed = renames.value(value, value);
            if (ok && renamed != value && renamed <= 0xFFFF) {
                const QByteArray hex
                    = QByteArray::number(static_cast<uint>(renamed), 16).toUpper().rightJustified(4, '0');
                std::copy(hex.begin(), hex.end(), line + at + 1);
            }
        }
        at += close;
    }
}

void mendSections(QByteArray& pdf, const QByteArray& begin, const QByteArray& end, int glyphTokens,
                  const GlyphRenames& renames)
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
            mendLine(pdf.data() + line, lineEnd - line, glyphTokens, renames);
            line = lineEnd + 1;
        }
        from = stop + end.size();
    }
}

} // namespace

void addSharedGlyphRenames(GlyphRenames& renames, const QFont& font, const QString& drawn)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return;
    const QHash<quint32, char32_t>& lowest = lowestCodes(raw);
    QString characters;
    QSet<char16_t> seen;
    for (const QChar c : drawn) {
        if (!c.isSurrogate() && !seen.contains(c.unicode())) {
            seen.insert(c.unicode());
            characters += c;
        }
    }
    const QList<quint32> glyphs = raw.glyphIndexesForString(characters);
    for (qsizetype i = 0; i < glyphs.size() && i < characters.size(); ++i) {
        const char32_t named = lowest.value(glyphs.at(i), characters.at(i).unicode());
        if (named != characters.at(i).unicode())
            renames.insert(named, characters.at(i).unicode());
    }
}

QByteArray renameTextMapCodes(QByteArray pdf, const GlyphRenames& renames)
{
    if (renames.isEmpty())
        return pdf;
    mendSections(pdf, "beginbfrange", "endbfrange", 2, renames);
    mendSections(pdf, "beginbfchar", "endbfchar", 1, renames);
    return pdf;
}

} // namespace platform
