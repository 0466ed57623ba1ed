// libFuzzer target for the transaction file reader: any bytes must be read or refused, never crash or overrun.
#include "transaction/transaction_file_format.h"

#include <cstddef>
#include <cstdint>

using namespace Qt::Literals::StringLiterals;

namespace {

/** A whole file but its last few fields, so that mutated bytes also land where a real file ends. */
const QByteArray& nearlyWholeFile()
{
    static const QByteArray bytes = [] {
        transaction::TransactionFileContent content { u"仁和药店"_s, {} };
        content.lines.resize(transaction::lineCapacity);
        content.lines[0].name = u"阿莫西林"_s;
        QByteArray whole = transaction::encodeTransactionFile(content);
        return whole.left(whole.size() - 14 * 4);
    }();
    return bytes;
}

void check(QByteArrayView bytes)
{
    const std::optional<transaction::TransactionFileContent> read = transaction::decodeTransactionFile(bytes);
    if (read && read->lines.size() != transaction::lineCapacity)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input(data, static_cast<qsizetype>(size));
    check(input);
    QByteArray tail = nearlyWholeFile();
    tail.append(input);
    check(tail);
    return 0;
}
