#pragma once

#include <QString>
#include <QStringList>

namespace store {

/** One record of the catalogue (table 药品), field by field: what the records windows keep and a sale prices from. */
struct Medicine
{
    QString name; ///< 名称
    QString code; ///< 代号
    QString maker; ///< 生产厂家
    QString spec; ///< 规格
    QString unit; ///< 单位
    QString unitPrice; ///< 单价
    QString purchasePrice; ///< 进价
    QString type; ///< 类型
    QString mnemonic {}; ///< 助记码: the initials a clerk types to find it; empty where the catalogue holds none

    bool operator==(const Medicine&) const = default;
};

/**
 * The medicine in one record's values, read by the catalogue's column names; a column that the field names lack, or
 * that the values do not reach, reads as the empty text.
 */
Medicine medicineFromRecord(const QStringList& fields, const QStringList& record);

} // namespace store
