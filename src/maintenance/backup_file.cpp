#include "maintenance/backup_file.h"

#include <QIODevice>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

constexpr qint64 blockSize = 64 * 1024;

/** Copies the rest of `from` to `to`, adding `shift` to every byte modulo 256. */
bool copyShifted(QIODevice& from, QIODevice& to, int shift, const CopyWatch& watch)
{
    QByteArray block(blockSize, Qt::Uninitialized);
    qint64 copied = 0;
    while (true) {
        if (watch && !watch(copied))
            return false;
        const qint64 read = from.read(block.data(), blockSize);
        if (read < 0)
            return false;
        if (read == 0)
            return from.atEnd();
        for (qint64 i = 0; i < read; ++i)
            block[i] = char((static_cast<unsigned char>(block[i]) + shift) & 0xFF);
        if (to.write(block.constData(), read) != read)
            return false;
        copied += read;
    }
}

} // namespace

QByteArray backupMagic()
{
    return QByteArrayLiteral("Quenvale");
}

QString backupFileName(const QDate& day)
{
    return u"%1%2%3.bak"_s.arg(day.year()).arg(day.month()).arg(day.day());
}

bool encodeBackup(QIODevice& database, QIODevice& backup, const CopyWatch& watch)
{
    const QByteArray magic = backupMagic();
    return backup.write(magic) == magic.size() && copyShifted(database, backup, 1, watch);
}

DecodeOutcome decodeBackup(QIODevice& backup, QIODevice& database, const CopyWatch& watch)
{
    const QByteArray magic = backupMagic();
    const QByteArray head = backup.read(magic.size());
    if (head != magic)
        return DecodeOutcome::NotABackup;
    return copyShifted(backup, database, 255, watch) ? DecodeOutcome::Decoded : DecodeOutcome::Failed;
}

} // namespace maintenance
