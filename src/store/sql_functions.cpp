#include "store/sql_functions.h"

#include "platform/database.h"
#include "store/engine_sql.h"
#include "store/numbers.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <optional>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace store {

namespace {

constexpr char functionName[] = "numvalue";

// Stored amounts are plain decimals such as "1234.50". For those the exact value is the integer of all their digits
// divided by a power of ten; with at most 15 digits and 22 decimals both are exact doubles, and the one division
// rounds once, to the same double as NumValue's correctly rounded reading. Any other text goes to NumValue.
std::optional<double> plainDecimal(const char* text, int bytes)
{
    constexpr int mostDigits = 15;
    static constexpr double powersOfTen[]
        = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15 };
    qint64 digits = 0;
    int digitCount = 0;
    int decimals = 0;
    bool point = false;
    for (int i = 0; i < bytes; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++digitCount > mostDigits)
                return std::nullopt;
            digits = digits * 10 + (c - '0');
            if (point)
                ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digitCount == 0)
        return std::nullopt;
    return double(digits) / powersOfTen[decimals];
}

void numValue(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const int bytes = sqlite3_value_bytes(arguments[0]);
    if (!text) {
        sqlite3_result_double(context, 0.0);
        return;
    }
    if (const auto plain = plainDecimal(text, bytes)) {
        sqlite3_result_double(context, *plain);
        return;
    }
    // Short ASCII texts reach NumValue widened on the stack, without an allocation a row.
    constexpr int stackChars = 64;
    if (bytes <= stackChars) {
        char16_t wide[stackChars];
        int i = 0;
        while (i < bytes && static_cast<unsigned char>(text[i]) < 0x80) {
            wide[i] = char16_t(text[i]);
            ++i;
        }
        if (i == bytes) {
            sqlite3_result_double(context, NumValue(QString::fromRawData(reinterpret_cast<const QChar*>(wide), i)));
            return;
        }
    }
    sqlite3_result_double(context, NumValue(QString::fromUtf8(text, bytes)));
}

bool isRegistered(sqlite3* handle)
{
    sqlite3_stmt* probe = nullptr;
    const int outcome = sqlite3_prepare_v2(handle, "SELECT numvalue('')", -1, &probe, nullptr);
    sqlite3_finalize(probe);
    return outcome == SQLITE_OK;
}

} // namespace

bool ensureNumValueFunction(platform::Database& database)
{
    if (database.engine() == platform::Engine::PostgreSQL) {
        // made with the tables; a database made by hand gets it on first use
        QSqlQuery probe = database.prepare(u"SELECT to_regprocedure('numvalue(text)') IS NOT NULL"_s);
        if (!probe.exec() || !probe.next())
            return false;
        if (probe.value(0).toBool())
            return true;
        probe.finish();
        platform::Transaction transaction(database);
        return transaction.isActive() && createServerFunctions(database) && transaction.commit();
    }
    sqlite3* handle = database.handle();
    if (!handle) {
        database.noteError(u"the connection has no SQLite handle"_s);
        return false;
    }
    if (isRegistered(handle))
        return true;
    const int outcome
        = sqlite3_create_function_v2(handle, functionName, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                     nullptr, numValue, nullptr, nullptr, nullptr);
    if (outcome != SQLITE_OK) {
        database.noteError(QString::fromUtf8(sqlite3_errmsg(handle)));
        return false;
    }
    return true;
}

} // namespace store
