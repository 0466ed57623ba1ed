#include "platform/csv_format.h"

using namespace Qt::Literals::StringLiterals;

namespace platform {

CsvWriter::CsvWriter(CsvEncoding encoding)
    : m_encoding(encoding)
    , m_encoder(encoding == CsvEncoding::Gbk ? QStringEncoder("GB18030") : QStringEncoder(QStringEncoder::Utf8))
{ }

QByteArray CsvWriter::start() const
{
    return m_encoding == CsvEncoding::Utf8WithBom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
}

QByteArray CsvWriter::record(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        line += csvField(fields.at(i));
    }
    line += u"\r\n"_s;
    return m_encoder.encode(line);
}

QString csvField(const QString& text)
{
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')
        || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quoted)
        return text;
    QString field = text;
    field.replace(u"\""_s, u"\"\""_s);
    return u'"' + field + u'"';
}

} // namespace platform
