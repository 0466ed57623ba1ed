#include "transaction/transaction_file_format.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

constexpr int fieldsPerSlot = 11;
constexpr int fieldsRead = 1 + lineCapacity * fieldsPerSlot;
constexpr char16_t quote = u'"';

QString* fieldOf(Line& line, int field)
{
    QString* const fields[fieldsPerSlot]
        = { &line.purchasePrice, &line.name, &line.maker,   &line.quantity, &line.unitPrice, &line.amount,
            &line.spec,          &line.unit, &line.batchNo, &line.expiry,   &line.drugType };
    return fields[field];
}

void appendField(QString& text, const QString& field)
{
    QString written = field;
    written.replace(u"\""_s, u"\"\""_s);
    // a field is one line of the file; the entry boxes never hold a line break, other texts lose theirs
    written.replace(u'\r', u' ').replace(u'\n', u' ');
    text += quote;
    text += written;
    text += quote;
    text += u"\r\n"_s;
}

// Code page 936 is GB18030's two-byte part plus two single bytes: 0x80, the euro sign (which GB18030 writes A2 E3),
// and 0xFF, a private-use character. Where the two-byte parts differ, code page 936 gives private-use characters to
// 82 sequences that GB18030 reads as the characters they stand for; those sequences are read as GB18030 reads them,
// and the private-use characters written in GB18030's four bytes, so that every text reads back as it was written.
constexpr char euroByte = '\x80';
constexpr char16_t euro = u'\u20ac';
constexpr char lastByte = '\xff';
constexpr char16_t lastByteCharacter = u'\uf8f5';

constexpr const char* wideCodePage = "GB18030";

/** The text in code page 936, with GB18030's bytes for the characters code page 936 lacks. */
QByteArray encodeCodePage936(const QString& text)
{
    QStringEncoder encoder(wideCodePage);
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c != euro && c != lastByteCharacter)
            continue;
        bytes += encoder.encode(QStringView(text).sliced(start, at - start));
        bytes += c == euro ? euroByte : lastByte;
        start = at + 1;
    }
    bytes += encoder.encode(QStringView(text).sliced(start));
    return bytes;
}

/**
 * The text of code page 936 bytes, GB18030's four-byte sequences included; nullopt when a sequence is neither. The
 * single bytes 0x80 and 0xFF count only where a character starts: 0x80 is also a second byte of two-byte characters.
 */
std::optional<QString> decodeCodePage936(QByteArrayView bytes)
{
    QString text;
    qsizetype start = 0;
    const auto takeRun = [&](qsizetype end) {
        // each run ends where a character ends, so it decodes on its own; a character cut off at the very end is
        // dropped, as it always was
        QStringDecoder decoder(wideCodePage);
        text += decoder.decode(bytes.sliced(start, end - start));
        return !decoder.hasError();
    };
    qsizetype at = 0;
    while (at < bytes.size()) {
        const char lead = bytes.at(at);
        if (lead == euroByte || lead == lastByte) {
            if (!takeRun(at))
                return std::nullopt;
            text += lead == euroByte ? euro : lastByteCharacter;
            start = ++at;
        } else if (static_cast<unsigned char>(lead) < 0x80) {
            ++at;
        } else {
            // a two-byte character, or half of a four-byte one, whose third byte is again a first byte
            at = std::min(bytes.size(), at + 2);
        }
    }
    if (!takeRun(bytes.size()))
        return std::nullopt;
    return text;
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

/** Reads the fields of a decoded file one after another, as the program's files have always been read. */
class FieldReader
{
public:
    explicit FieldReader(const QString& text) : m_text(text) { }

    std::optional<QString> next()
    {
        const qsizetype end = m_text.size();
        while (m_at < end && m_text.at(m_at) == u' ')
            ++m_at;
        if (m_at >= end)
            return std::nullopt;
        QString field;
        if (m_text.at(m_at) == quote) {
            ++m_at;
            for (;;) {
                const qsizetype close = closingQuote();
                if (close < 0)
                    return std::nullopt;
                field += QStringView(m_text).mid(m_at, close - m_at);
                m_at = close + 1;
                if (m_at < end && m_text.at(m_at) == quote) {
                    field += quote;
                    ++m_at;
                    continue;
                }
                break;
            }
            while (m_at < end && m_text.at(m_at) != u',' && !isLineEnd(m_text.at(m_at)))
                ++m_at;
        } else {
            const qsizetype start = m_at;
            while (m_at < end && m_text.at(m_at) != u',' && !isLineEnd(m_text.at(m_at)))
                ++m_at;
            field = m_text.mid(start, m_at - start);
        }
        skipDelimiter();
        return field;
    }

private:
    /** The quote that ends the field started at m_at; -1 when its line or the file ends first. */
    qsizetype closingQuote() const
    {
        for (qsizetype at = m_at; at < m_text.size(); ++at) {
            if (m_text.at(at) == quote)
                return at;
            if (isLineEnd(m_text.at(at)))
                return -1;
        }
        return -1;
    }

    void skipDelimiter()
    {
        const qsizetype end = m_text.size();
        if (m_at >= end)
            return;
        if (m_text.at(m_at) == u',') {
            ++m_at;
            return;
        }
        if (m_text.at(m_at) == u'\r' && m_at + 1 < end && m_text.at(m_at + 1) == u'\n')
            ++m_at;
        ++m_at;
    }

    const QString& m_text;
    qsizetype m_at = 0;
};

} // namespace

QByteArray encodeTransactionFile(const TransactionFileContent& content)
{
    QString text;
    appendField(text, content.unit);
    for (int slot = 0; slot <= lineCapacity; ++slot) {
        // one past the last slot is the closing record, empty like a slot never used
        Line line = slot < lineCapacity ? content.lines.value(slot) : Line {};
        for (int field = 0; field < fieldsPerSlot; ++field)
            appendField(text, *fieldOf(line, field));
    }
    return encodeCodePage936(text);
}

std::optional<TransactionFileContent> decodeTransactionFile(QByteArrayView bytes)
{
    if (bytes.size() > largestTransactionFile)
        return std::nullopt;
    const std::optional<QString> text = decodeCodePage936(bytes);
    if (!text)
        return std::nullopt;

    FieldReader reader(*text);
    TransactionFileContent content;
    content.lines.resize(lineCapacity);
    for (int read = 0; read < fieldsRead; ++read) {
        std::optional<QString> field = reader.next();
        if (!field)
            return std::nullopt;
        if (read == 0)
            content.unit = *field;
        else
            *fieldOf(content.lines[(read - 1) / fieldsPerSlot], (read - 1) % fieldsPerSlot) = *field;
    }
    return content;
}

} // namespace transaction
