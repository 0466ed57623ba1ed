#include "transaction/serial_number.h"

#include "platform/database.h"
#include "store/bound_recordset.h"
#include "store/engine_sql.h"
#include "store/numbers.h"
#include "transaction/amounts.h"

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

const QString serialTable = u"流水号"_s;
const QString serialField = u"流水号"_s;
constexpr qsizetype serialDigits = 11;

} // namespace

QString FormatSerial(const QString& serial)
{
    if (serial.isEmpty() || serial.size() > serialDigits)
        return serial;
    return u"XH"_s + QString(serialDigits - serial.size(), u'0') + serial + u'Q';
}

bool AdvanceSerial(platform::Database& database, const QString& takenSerial)
{
    store::BoundRecordset records(database, serialTable);
    if (!records.isOpen() || !records.hasCurrent() || !records.edit())
        return false;
    return records.setValue(serialField, numberText(store::NumValue(takenSerial) + 1)) && records.update();
}

SerialOutcome takeSerialNumber(platform::Database& database, QString& serialText)
{
    platform::Transaction transaction(database);
    // Two desks finishing at the same moment: the second waits here until the first one's sale is in.
    if (!transaction.isActive())
        return SerialOutcome::WriteFailed;
    if (!store::tableExists(database, serialTable))
        return SerialOutcome::Missing;
    if (!store::lockTableForWrite(database, serialTable))
        return SerialOutcome::WriteFailed;
    store::BoundRecordset records(database, serialTable);
    if (!records.isOpen() || !records.hasCurrent())
        return SerialOutcome::Missing;
    const QString serial = records.value(serialField).value_or(QString());
    if (!AdvanceSerial(database, serial) || !transaction.commit())
        return SerialOutcome::WriteFailed;
    serialText = FormatSerial(serial);
    return SerialOutcome::Taken;
}

} // namespace transaction
