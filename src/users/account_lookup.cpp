#include "users/account_lookup.h"

#include "store/bound_recordset.h"

using namespace Qt::Literals::StringLiterals;

namespace users {

namespace {

const QString& userNameField()
{
    static const QString field = u"username"_s;
    return field;
}

const QString& administratorName()
{
    static const QString name = u"Orsvan"_s;
    return name;
}

/** The first record found by the criterion that the filter accepts. */
template<typename Accept> bool findAccepted(store::BoundRecordset& accounts, const QString& name, Accept accept)
{
    const store::Criterion criterion { userNameField(), name };
    for (accounts.findFirst(criterion); !accounts.noMatch(); accounts.findNext(criterion)) {
        if (accept(accounts.value(userNameField()).value_or(QString())))
            return true;
    }
    return false;
}

} // namespace

bool findAdministrator(store::BoundRecordset& accounts)
{
    return findAccepted(accounts, administratorName(),
                        [](const QString& found) { return found == administratorName(); });
}

bool findClerk(store::BoundRecordset& accounts, const QString& name)
{
    if (name.isEmpty())
        return false;
    return findAccepted(accounts, name, [](const QString& found) { return found != administratorName(); });
}

QStringList clerkNames(store::BoundRecordset& accounts)
{
    const qsizetype column = accounts.fields().indexOf(userNameField());
    QStringList names;
    if (column < 0)
        return names;
    for (const QStringList& record : accounts.allRecords()) {
        if (record.at(column) != administratorName())
            names << record.at(column);
    }
    return names;
}

} // namespace users
