#include "maintenance/copy_command.h"

#include "platform/database.h"
#include "platform/server_url.h"
#include "store/database_check.h"
#include "store/database_transfer.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

namespace {

QString shown(const QString& location)
{
    return platform::isServerUrl(location) ? platform::shownServerUrl(location) : location;
}

QString amountText(const std::optional<double>& amount)
{
    return amount ? QString::number(*amount, 'g', QLocale::FloatingPointShortest) : u"-"_s;
}

} // namespace

int copyDatabaseCommand(const QString& from, const QString& to, QTextStream& out, QTextStream& err)
{
    if (!platform::isServerUrl(from)) {
        if (const store::DatabaseCheck check = store::checkDatabaseFile(from); !check.sound()) {
            err << u"%1: %2"_s.arg(from, check.cause()) << Qt::endl;
            return 1;
        }
    }
    platform::Database source(from);
    if (!source.isOpen()) {
        err << u"%1: %2"_s.arg(shown(from), source.lastError()) << Qt::endl;
        return 1;
    }
    if (const store::DatabaseCheck check = store::checkDatabase(source.connection()); !check.sound()) {
        err << u"%1: %2"_s.arg(shown(from), check.cause()) << Qt::endl;
        return 1;
    }
    const bool newFile = !platform::isServerUrl(to) && !QFileInfo::exists(to);
    platform::Database target(to);
    if (!target.isOpen()) {
        err << u"%1: %2"_s.arg(shown(to), target.lastError()) << Qt::endl;
        return 1;
    }
    const store::TransferResult result = store::copyDatabase(source, target, store::TargetTables::MustBeEmpty);
    for (const store::CopiedTable& table : result.tables) {
        out << u"%1\t%2 -> %3 行"_s.arg(table.table).arg(table.sourceRows).arg(table.targetRows);
        if (table.sourceAmounts)
            out << u"\t金额 %1 -> %2"_s.arg(amountText(table.sourceAmounts), amountText(table.targetAmounts));
        out << (table.matches() ? u"\t一致"_s : u"\t不一致"_s) << Qt::endl;
    }
    if (!result.copied) {
        err << u"未复制: %1"_s.arg(result.error) << Qt::endl;
        if (newFile)
            QFile::remove(to);
        return 1;
    }
    out << u"已复制 %1 个数据表: %2 -> %3"_s.arg(result.tables.size()).arg(shown(from), shown(to)) << Qt::endl;
    return 0;
}

} // namespace maintenance
