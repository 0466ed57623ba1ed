#include "platform/server_url.h"

#include <QUrl>
#include <QUrlQuery>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

QString quotedOption(const QString& key, QString value)
{
    value.replace(u'\\', u"\\\\"_s);
    value.replace(u'\'', u"\\'"_s);
    return key + u"='"_s + value + u'\'';
}

} // namespace

bool isServerUrl(const QString& location)
{
    return location.startsWith(u"postgresql://"_s, Qt::CaseInsensitive)
        || location.startsWith(u"postgres://"_s, Qt::CaseInsensitive);
}

ServerUrl parseServerUrl(const QString& url)
{
    ServerUrl parts;
    if (!isServerUrl(url)) {
        parts.error = u"not a postgresql:// URL: %1"_s.arg(url);
        return parts;
    }
    // A socket folder may stand percent-encoded in the host part ("postgresql://%2Ftmp%2Fpg/db"), which QUrl
    // refuses as a host name; it is read out of the text before QUrl sees the rest.
    QString text = url;
    const qsizetype afterScheme = text.indexOf(u"://"_s) + 3;
    const qsizetype authorityEnd = [&] {
        qsizetype end = text.size();
        for (const QChar c : { u'/', u'?', u'#' }) {
            const qsizetype at = text.indexOf(c, afterScheme);
            if (at >= 0 && at < end)
                end = at;
        }
        return end;
    }();
    QString authority = text.mid(afterScheme, authorityEnd - afterScheme);
    QString userPart;
    if (const qsizetype at = authority.lastIndexOf(u'@'); at >= 0) {
        userPart = authority.left(at);
        authority = authority.mid(at + 1);
    }
    if (userPart.contains(u':')) {
        parts.error = u"the URL holds a password; give it in ~/.pgpass instead"_s;
        return parts;
    }
    parts.user = QUrl::fromPercentEncoding(userPart.toUtf8());
    if (authority.startsWith(u"%2F"_s, Qt::CaseInsensitive)) {
        parts.host = QUrl::fromPercentEncoding(authority.toUtf8());
    } else if (!authority.isEmpty()) {
        const qsizetype colon = authority.lastIndexOf(u':');
        const bool bracketed = authority.startsWith(u'[');
        if (colon >= 0 && (!bracketed || colon > authority.indexOf(u']'))) {
            bool ok = false;
            parts.port = authority.mid(colon + 1).toInt(&ok);
            if (!ok) {
                parts.error = u"not a port number in %1"_s.arg(url);
                return parts;
            }
            authority = authority.left(colon);
        }
        if (bracketed)
            authority = authority.mid(1, authority.size() - 2);
        parts.host = QUrl::fromPercentEncoding(authority.toUtf8());
    }
    const QUrl rest(u"x://h"_s + text.mid(authorityEnd));
    if (!rest.isValid()) {
        parts.error = u"not a valid URL: %1"_s.arg(url);
        return parts;
    }
    parts.database = rest.path(QUrl::FullyDecoded).mid(1);
    const QUrlQuery query(rest);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == u"host"_s)
            parts.host = value;
        else if (key == u"port"_s)
            parts.port = value.toInt();
        else if (key == u"dbname"_s)
            parts.database = value;
        else if (key == u"user"_s)
            parts.user = value;
        else if (key == u"password"_s) {
            parts.error = u"the URL holds a password; give it in ~/.pgpass instead"_s;
            return parts;
        } else if (value.contains(u';')) {
            parts.error = u"the setting %1 holds a ';'"_s.arg(key);
            return parts;
        } else {
            parts.options << quotedOption(key, value);
        }
    }
    return parts;
}

QString shownServerUrl(const QString& url)
{
    const qsizetype afterScheme = url.indexOf(u"://"_s) + 3;
    const qsizetype at = url.indexOf(u'@', afterScheme);
    const qsizetype slash = url.indexOf(u'/', afterScheme);
    if (at < 0 || (slash >= 0 && slash < at))
        return url;
    const qsizetype colon = url.indexOf(u':', afterScheme);
    if (colon < 0 || colon > at)
        return url;
    return url.left(colon) + url.mid(at);
}

} // namespace platform
