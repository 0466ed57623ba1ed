#pragma once

#include "support/scratch_database.h"

#include <QStringList>

namespace testsupport {

/** Catalogue rows in the columns of table 药品: 名称, 代号, 生产厂家, 规格, 单位, 单价, 进价, 类型. */
inline QList<QStringList> catalogueRows()
{
    using namespace Qt::Literals::StringLiterals;
    return {
        { u"阿莫西林"_s, u"AMXL"_s, u"华北制药"_s, u"0.25g*24"_s, u"盒"_s, u"5.50"_s, u"4.20"_s, u"片剂"_s },
        { u"阿莫西林"_s, u"AMXL2"_s, u"石药集团"_s, u"0.5g*12"_s, u"盒"_s, u"6.00"_s, u"5.10"_s, u"片剂"_s },
        { u"阿莫西林"_s, u"AMXL3"_s, QString(), u"0.25g*36"_s, u"盒"_s, u"7.00"_s, u"6.00"_s, u"片剂"_s },
        { u"维生素C"_s, u"VC"_s, u"东北 制药 厂"_s, u"100 mg"_s, u"大 瓶"_s, u"2.00"_s, u"1.50"_s, u"片剂"_s },
        { u"维生素C"_s, u"VC2"_s, u"天津药业"_s, u"50mg"_s, u"瓶"_s, u"1.80"_s, u"1.20"_s, u"片剂"_s },
        { u"葡萄糖注射液"_s, u"PTT"_s, u"双鹤"_s, u"250ml"_s, u"瓶"_s, u"3.00"_s, u"2.00"_s, u"针剂"_s },
        { u"PTT"_s, u"P01"_s, u"别名厂"_s, u"1"_s, u"支"_s, u"9.00"_s, u"8.00"_s, u"其它"_s },
        { u"O'Neil贴"_s, u"ON"_s, u"海外"_s, u"10贴"_s, u"盒"_s, u"12.00"_s, u"10.00"_s, u"器械"_s },
        { u"甘草"_s, u"GC"_s, u"同仁堂"_s, u"500g"_s, u"袋"_s, u"8.00"_s, u"6.00"_s, u"其它"_s },
    };
}

inline void fillCatalogue(ScratchDatabase& scratch)
{
    using namespace Qt::Literals::StringLiterals;
    for (const QStringList& row : catalogueRows()) {
        QVariantList values;
        for (const QString& value : row)
            values << (value.isNull() ? u""_s : value);
        scratch.db().exec(
            u"INSERT INTO \"药品\" (\"名称\",\"代号\",\"生产厂家\",\"规格\",\"单位\",\"单价\",\"进价\",\"类型\") "
            u"VALUES (?,?,?,?,?,?,?,?)"_s,
            values);
    }
}

} // namespace testsupport
