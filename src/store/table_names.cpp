#include "store/table_names.h"

#include <algorithm>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace store {

bool isBareTableName(const QString& name)
{
    if (name.isEmpty())
        return false;
    const auto allowed = [](QChar c) {
        return c.isLetterOrNumber() || c == u'_';
    };
    if (!std::all_of(name.begin(), name.end(), allowed))
        return false;
    if (std::all_of(name.begin(), name.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    if (name.startsWith(u"sqlite_"_s, Qt::CaseInsensitive))
        return false;
    const QByteArray utf8 = name.toUtf8();
    return sqlite3_keyword_check(utf8.constData(), static_cast<int>(utf8.size())) == 0;
}

} // namespace store
