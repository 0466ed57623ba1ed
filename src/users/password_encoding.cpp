#include "users/password_encoding.h"

namespace users {

QString EncodePassword(const QString& text, Role role)
{
    QString encoded;
    encoded.reserve(text.size());
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const QChar c = text.at(i - 1);
        const int digit = (c >= u'0' && c <= u'9') ? c.unicode() - u'0' : 0;
        qsizetype offset = i;
        if (role == Role::Administrator)
            offset = i + 1;
        else if (role == Role::SuperUser)
            offset = 2 * i;
        encoded += QChar(static_cast<char16_t>(u'0' + digit + offset));
    }
    return encoded;
}

} // namespace users
