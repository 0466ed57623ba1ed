#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace platform {
class Database;
}

namespace transaction {

/**
 * The last day a batch may be sold, read from an expiry text as clerks type it: a year of four digits and a month,
 * with or without a day, joined by "-", "." or "/" (2028-10, 2028.10, 2028/10/31) or written together (202810,
 * 20281031). A month without a day means the last day of that month. nullopt for every other text, and for a month
 * or a day that does not exist, so free text in the box is left alone.
 */
std::optional<QDate> expiryDate(const QString& text);

/** Where a batch stands on a day, for a warning period in months. */
enum class ExpiryState {
    Fine,
    Near, ///< it expires within the warning period: less than that many months are left
    Past, ///< its last day lies before the day
};

/** Near when the last day comes before the day the same number of months on; a period of 0 warns of none. */
ExpiryState expiryState(const QDate& expiry, const QDate& today, int warningMonths);

/** The question for a batch that is Past or Near; the empty text for a Fine one. */
QString expiryQuestion(ExpiryState state, int warningMonths);

/**
 * The question to ask of a line's expiry text on a day, under the warning period stored in the database (its default
 * when it cannot be read); the empty text when the text is no date or the batch is fine.
 */
QString expiryWarning(platform::Database& database, const QString& expiryText, const QDate& today);

} // namespace transaction
