#include "transaction/expiry.h"

#include "store/options.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

std::optional<QDate> expiryDate(const QString& text)
{
    // The separator between year and month must come again between month and day.
    static const QRegularExpression separated(u"^([0-9]{4})([-./])([0-9]{1,2})(?:\\2([0-9]{1,2}))?$"_s);
    static const QRegularExpression together(u"^([0-9]{4})([0-9]{2})([0-9]{2})?$"_s);
    const QString trimmed = text.trimmed();
    QRegularExpressionMatch match = separated.match(trimmed);
    int monthGroup = 3;
    int dayGroup = 4;
    if (!match.hasMatch()) {
        match = together.match(trimmed);
        monthGroup = 2;
        dayGroup = 3;
    }
    if (!match.hasMatch())
        return std::nullopt;
    const int year = match.captured(1).toInt();
    const int month = match.captured(monthGroup).toInt();
    if (year < 1 || month < 1 || month > 12)
        return std::nullopt;
    const QDate firstOfMonth(year, month, 1);
    if (match.captured(dayGroup).isEmpty())
        return firstOfMonth.addDays(firstOfMonth.daysInMonth() - 1);
    const int day = match.captured(dayGroup).toInt();
    if (!QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

ExpiryState expiryState(const QDate& expiry, const QDate& today, int warningMonths)
{
    if (expiry < today)
        return ExpiryState::Past;
    if (warningMonths > 0 && expiry < today.addMonths(warningMonths))
        return ExpiryState::Near;
    return ExpiryState::Fine;
}

QString expiryQuestion(ExpiryState state, int warningMonths)
{
    switch (state) {
    case ExpiryState::Fine:
        return {};
    case ExpiryState::Past:
        return u"该批药品已过有效期,是否修改?"_s;
    case ExpiryState::Near:
        return u"该批药品有效期不足%1个月,是否修改?"_s.arg(warningMonths);
    }
    return {};
}

QString expiryWarning(platform::Database& database, const QString& expiryText, const QDate& today)
{
    const std::optional<QDate> expiry = expiryDate(expiryText);
    if (!expiry)
        return {};
    // a setting that cannot be read must not silence the warning
    const int months = store::expiryWarningMonths(database).value_or(store::defaultExpiryWarningMonths);
    return expiryQuestion(expiryState(*expiry, today, months), months);
}

} // namespace transaction
