#include "store/mnemonic.h"

#include <QHash>
#include <memory>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>

namespace store {

namespace {

bool isAsciiLetterOrDigit(char32_t c)
{
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

QChar upper(char32_t c)
{
    return QChar(char16_t(c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c));
}

/**
 * One character's pinyin initial, or its ASCII letter or digit when compatibility folding makes one of it (ＶＣ, Ⅱ);
 * the empty text for anything else. Each thread keeps its own transliterator, which is not safe to share, and the
 * answers it gave: a catalogue repeats few thousand characters.
 */
QString initialOf(char32_t c)
{
    thread_local QHash<char32_t, QString> known;
    if (const auto found = known.constFind(c); found != known.cend())
        return *found;

    thread_local std::unique_ptr<icu::Transliterator> toAscii = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> created(
            icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(created) : nullptr;
    }();

    QString initial;
    UErrorCode status = U_ZERO_ERROR;
    const bool han = uscript_getScript(UChar32(c), &status) == USCRIPT_HAN && U_SUCCESS(status);
    if (han && toAscii) {
        icu::UnicodeString text { UChar32(c) };
        toAscii->transliterate(text);
        if (text.length() > 0 && isAsciiLetterOrDigit(char32_t(text.char32At(0))))
            initial = upper(char32_t(text.char32At(0)));
    } else if (!han) {
        // ＶＣ and Ⅱ stand for VC and II
        for (const QChar folded : QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KC)) {
            if (isAsciiLetterOrDigit(folded.unicode()))
                initial += upper(folded.unicode());
        }
    }
    known.insert(c, initial);
    return initial;
}

} // namespace

QString mnemonicOf(const QString& name)
{
    QString code;
    code.reserve(name.size());
    for (const char32_t c : name.toUcs4()) {
        if (isAsciiLetterOrDigit(c))
            code += upper(c);
        else if (c >= 0x80)
            code += initialOf(c);
    }
    return code;
}

} // namespace store
