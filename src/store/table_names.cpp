#include "store/table_names.h"

#include <QList>
#include <algorithm>
#include <optional>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

bool isNameCharacter(char32_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
    if (QChar::isSpace(c) || QChar::isNonCharacter(c))
        return false;
    // Invisible characters would make two names that look alike differ, and a lone surrogate names no character.
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
        return false;
    default:
        return true;
    }
}

/** The text's characters; nothing for a text with an unpaired surrogate. */
std::optional<QList<char32_t>> characters(const QString& text)
{
    QList<char32_t> result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            result << QChar::surrogateToUcs4(unit, text.at(i + 1));
            ++i;
        } else if (unit.isSurrogate()) {
            return std::nullopt;
        } else {
            result << unit.unicode();
        }
    }
    return result;
}

bool areNameCharacters(const std::optional<QList<char32_t>>& chars)
{
    return chars && !chars->isEmpty() && std::all_of(chars->cbegin(), chars->cend(), isNameCharacter);
}

} // namespace

bool isNameText(const QString& text)
{
    return areNameCharacters(characters(text));
}

bool isBareTableName(const QString& name)
{
    const auto chars = characters(name);
    if (!areNameCharacters(chars))
        return false;
    if (std::all_of(chars->cbegin(), chars->cend(), [](char32_t c) { return QChar::isDigit(c); }))
        return false;
    if (name.startsWith(u"sqlite_"_s, Qt::CaseInsensitive))
        return false;
    const QByteArray utf8 = name.toUtf8();
    return sqlite3_keyword_check(utf8.constData(), static_cast<int>(utf8.size())) == 0;
}

} // namespace store
