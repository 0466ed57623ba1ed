#pragma once

#include <QByteArray>
#include <QStringEncoder>
#include <QStringList>

namespace platform {

/** The encodings an export offers: UTF-8 that spreadsheet programs recognise by its byte-order mark, or GBK. */
enum class CsvEncoding { Utf8WithBom, Gbk };

/**
 * The bytes of a CSV file, written record by record: fields separated by commas, records ended by CR LF; a field
 * holding a comma, a quote, a line break or a leading or trailing blank is put in quotes, its quotes doubled. Texts go
 * in unchanged, line breaks inside a field included. UTF-8 files begin with the byte-order mark. GBK is written as
 * GB18030, which has GBK's bytes for every character GBK has and its own for the rest, so no character is lost.
 */
class CsvWriter final
{
public:
    explicit CsvWriter(CsvEncoding encoding);

    /** What the file starts with: the byte-order mark for UTF-8, nothing for GBK. */
    QByteArray start() const;
    QByteArray record(const QStringList& fields);

private:
    CsvEncoding m_encoding;
    QStringEncoder m_encoder;
};

/** One CSV field as it is written. */
QString csvField(const QString& text);

} // namespace platform
