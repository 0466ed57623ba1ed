#include "store/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace store {

namespace {

// Only these three: a carriage return, like any other character, ends the number ("1\r2" is 1).
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Only the ASCII digits: full-width and other script digits end the number like any other character.
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

/** Reads the characters of a text one by one with the blanks left out. */
class Reader
{
public:
    explicit Reader(const QString& text) : m_text(text) { skipBlanks(); }

    bool atEnd() const { return m_at >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text.at(m_at); }
    void take()
    {
        ++m_at;
        skipBlanks();
    }

private:
    void skipBlanks()
    {
        while (!atEnd() && isBlank(m_text.at(m_at)))
            ++m_at;
    }

    const QString& m_text;
    qsizetype m_at = 0;
};

} // namespace

QString NumText(qint64 n)
{
    return n < 0 ? QString::number(n) : u' ' + QString::number(n);
}

double NumValue(const QString& text)
{
    Reader reader(text);
    std::string number;
    if (reader.peek() == u'-' || reader.peek() == u'+') {
        if (reader.peek() == u'-')
            number += '-';
        reader.take();
    }
    std::string integerDigits;
    std::string fractionDigits;
    while (isDigit(reader.peek())) {
        integerDigits += static_cast<char>(reader.peek().unicode());
        reader.take();
    }
    if (reader.peek() == u'.') {
        reader.take();
        while (isDigit(reader.peek())) {
            fractionDigits += static_cast<char>(reader.peek().unicode());
            reader.take();
        }
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return 0.0;

    // An exponent counts only with at least one digit; "1e" and "1e+" are the number 1 followed by other text.
    long long exponent = 0;
    if (reader.peek() == u'e' || reader.peek() == u'E') {
        Reader ahead = reader;
        ahead.take();
        bool negative = false;
        if (ahead.peek() == u'-' || ahead.peek() == u'+') {
            negative = ahead.peek() == u'-';
            ahead.take();
        }
        if (isDigit(ahead.peek())) {
            constexpr long long exponentLimit = 1'000'000; // far outside any double, and no overflow while reading
            while (isDigit(ahead.peek())) {
                exponent = std::min(exponent * 10 + (ahead.peek().unicode() - u'0'), exponentLimit);
                ahead.take();
            }
            if (negative)
                exponent = -exponent;
        }
    }

    number += integerDigits.empty() ? std::string("0") : integerDigits;
    if (!fractionDigits.empty())
        number += '.' + fractionDigits;
    number += 'e' + std::to_string(exponent);

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        // Too large: the largest finite value of the same sign rather than infinity, so that sums and comparisons
        // with it stay ordinary numbers. Too small: 0.
        const std::string digits = integerDigits + fractionDigits;
        const auto firstNonZero = digits.find_first_not_of('0');
        const long long order
            = static_cast<long long>(integerDigits.size()) - static_cast<long long>(firstNonZero) + exponent;
        if (firstNonZero == std::string::npos || order <= 0)
            return 0.0;
        const double largest = std::numeric_limits<double>::max();
        return number.front() == '-' ? -largest : largest;
    }
    if (error != std::errc())
        return 0.0;
    // "-0" and "-.0" are 0, not a negative zero that would print as "-0".
    return value == 0.0 ? 0.0 : value;
}

} // namespace store
