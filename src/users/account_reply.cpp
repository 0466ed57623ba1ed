#include "users/account_reply.h"

using namespace Qt::Literals::StringLiterals;

namespace users {

AccountReply databaseErrorReply()
{
    return { .message = u"数据库错误，请检查数据库！"_s };
}

} // namespace users
