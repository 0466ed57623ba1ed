#include "maintenance/short_path.h"

#include <QDir>
#include <QStringEncoder>
#include <QStringList>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

const QString separator = u"/"_s;
const QString gap = u"......"_s;

} // namespace

int ansiLength(const QString& text)
{
    QStringEncoder encoder("GB18030");
    if (!encoder.isValid()) {
        // Without the code page every character outside ASCII counts the two bytes a common Chinese character takes.
        int length = 0;
        for (const QChar c : text)
            length += c.unicode() < 0x80 ? 1 : 2;
        return length;
    }
    const QByteArray encoded = encoder.encode(text);
    return int(encoded.size());
}

QString shortenPath(const QString& path, int k, const QString& last, int limit)
{
    QString current = path;
    while (true) {
        const QStringList parts = current.split(separator);
        const qsizetype lastIndex = parts.lastIndexOf(last);
        if (lastIndex <= 2)
            return current;
        // Each round drops the parts before k of the text it is given, so k can pass `last` before the text fits.
        const qsizetype from = std::min<qsizetype>(k, lastIndex);
        QString shortened = parts.at(0) + separator + parts.at(1) + separator + gap + separator;
        shortened += parts.mid(from, lastIndex - from + 1).join(separator);
        if (ansiLength(shortened) <= limit || from == lastIndex)
            return shortened;
        current = shortened;
        ++k;
    }
}

QString shownPath(const QString& path, const QString& last, int limit)
{
    return ansiLength(path) > longPathBytes ? shortenPath(path, 3, last, limit) : path;
}

QString pathInFolder(const QString& folder, const QString& name)
{
    return QDir(folder).isRoot() ? folder + name : folder + separator + name;
}

} // namespace maintenance
