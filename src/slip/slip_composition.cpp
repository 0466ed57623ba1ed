#include "slip/slip_composition.h"

#include "store/numbers.h"
#include "transaction/amounts.h"
#include "transaction/working_set.h"

using namespace Qt::Literals::StringLiterals;

namespace slip {

namespace {

const QString qualityMark = u"合格"_s;

SlipHeader headerOf(const transaction::WorkingSet& set, const QString& letterhead, const QString& clerk,
                    const QDate& date)
{
    SlipHeader header;
    header.title = letterhead + u"  销售(出库复核)清单"_s;
    header.buyer = set.CustomerUnit;
    header.year = u"%1"_s.arg(date.year(), 4, 10, QChar(u'0'));
    header.month = u"%1"_s.arg(date.month(), 2, 10, QChar(u'0'));
    header.day = u"%1"_s.arg(date.day(), 2, 10, QChar(u'0'));
    header.clerk = clerk;
    header.salesNumber = set.SerialText;
    header.lineCount = QString::number(set.TypedLineCount);
    header.totalInWords = set.TotalInWords;
    header.total = transaction::formatAmount(set.TotalAmount);
    header.pageTotal = QString::number(set.SlipPageCount);
    return header;
}

SlipRow rowOf(const transaction::Line& line)
{
    return { line.name,      line.maker,  line.spec,    line.quantity, line.unit,
             line.unitPrice, line.amount, line.batchNo, line.expiry,   {} };
}

} // namespace

const std::array<Zone, 4>& zones()
{
    static const std::array<Zone, 4> all {
        { { u"片剂"_s, u"片剂区"_s }, { u"其它"_s, u"其它"_s }, { u"针剂"_s, u"针剂区"_s }, { u"器械"_s, u"器械区"_s } }
    };
    return all;
}

QList<SlipPage> composeSlip(const transaction::WorkingSet& set, const QString& letterhead, const QString& clerk,
                            const QDate& date)
{
    std::array<QList<const transaction::Line*>, 4> zoneLines;
    for (int i = 1; i <= transaction::lineCapacity; ++i) {
        const transaction::Line& line = set.TransactionLines[static_cast<size_t>(i)];
        for (size_t z = 0; z < zones().size(); ++z) {
            if (line.drugType == zones()[z].drugType) {
                zoneLines[z] << &line;
                break;
            }
        }
    }

    const SlipHeader header = headerOf(set, letterhead, clerk, date);
    QList<SlipPage> pages;
    for (size_t z = 0; z < zones().size(); ++z) {
        const QList<const transaction::Line*>& lines = zoneLines[z];
        for (qsizetype first = 0; first < lines.size(); first += rowsPerPage) {
            SlipPage page;
            page.header = header;
            page.zone = zones()[z].caption;
            double subtotal = 0.0;
            for (qsizetype slot = 0; slot < rowsPerPage && first + slot < lines.size(); ++slot) {
                SlipRow& row = page.rows[static_cast<size_t>(slot)];
                row = rowOf(*lines.at(first + slot));
                subtotal += store::NumValue(row.amount);
            }
            // the first slot is marked even when its name is empty; a blank slot never is
            for (size_t slot = 0; slot < page.rows.size(); ++slot) {
                if (slot == 0 || !page.rows[slot].name.isEmpty())
                    page.rows[slot].mark = qualityMark;
            }
            page.subtotal = transaction::formatPointAmount(subtotal);
            page.pageNumber = QString::number(pages.size() + 1) + u'/' + header.pageTotal;
            pages << page;
        }
    }
    return pages;
}

} // namespace slip
