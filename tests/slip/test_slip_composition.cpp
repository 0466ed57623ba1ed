#include "slip/slip_composition.h"
#include "transaction/derived_values.h"
#include "transaction/working_set.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using slip::composeSlip;
using slip::SlipPage;
using transaction::WorkingSet;

namespace {

/** Lines given as {drugType, name, amount}. */
using Lines = QList<QStringList>;

const QString letterhead = u"仁和医药"_s;
const QString clerk = u"张三"_s;
const QDate today(2004, 7, 5);

/** A working set prepared as finishing a sale prepares it. */
WorkingSet saleOf(const Lines& lines)
{
    WorkingSet set;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        transaction::Line& line = set.TransactionLines[static_cast<size_t>(i + 1)];
        line.drugType = lines.at(i).at(0);
        line.name = lines.at(i).at(1);
        line.amount = lines.at(i).at(2);
    }
    set.CustomerUnit = u"同济医院"_s;
    set.SerialText = u"XH00000000042Q"_s;
    transaction::TallyTypes(set);
    transaction::TotalAndWords(set);
    return set;
}

Lines repeated(const QString& type, const QString& prefix, int count, const QString& amount)
{
    Lines lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringList { type, prefix + QString::number(i), amount };
    return lines;
}

QString slotNames(const SlipPage& page)
{
    QStringList names;
    for (const slip::SlipRow& row : page.rows)
        names << row.name;
    return names.join(u'|');
}

/** "+" for a slot marked 合格, "." for one without a mark. */
QString slotMarks(const SlipPage& page)
{
    QString marks;
    for (const slip::SlipRow& row : page.rows) {
        if (row.mark == u"合格"_s)
            marks += u'+';
        else
            marks += row.mark.isEmpty() ? u'.' : u'?';
    }
    return marks;
}

} // namespace

class TestSlipComposition final : public QObject
{
    Q_OBJECT

private slots:
    void pages_data();
    void pages();
    void headerOnEveryPage();
    void pageTotalAsPrepared();
    void date_data();
    void date();
    void rowValuesAsStored();
};

void TestSlipComposition::pages_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<QStringList>("zones");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("subtotals");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("marks");

    QTest::newRow("nine tablets and three devices")
        << repeated(u"片剂"_s, u"片"_s, 9, u"1.00"_s) + repeated(u"器械"_s, u"器"_s, 3, u"2.00"_s)
        << QStringList { u"片剂区"_s, u"片剂区"_s, u"器械区"_s } << QStringList { u"1/3"_s, u"2/3"_s, u"3/3"_s }
        << QStringList { u"8.00"_s, u"1.00"_s, u"6.00"_s }
        << QStringList { u"片1|片2|片3|片4|片5|片6|片7|片8"_s, u"片9|||||||"_s, u"器1|器2|器3|||||"_s }
        << QStringList { u"++++++++"_s, u"+......."_s, u"+++....."_s };

    QTest::newRow("zones in printing order, lines in line order")
        << Lines { { u"器械"_s, u"a"_s, u"1.00"_s },
                   { u"针剂"_s, u"b"_s, u"1.00"_s },
                   { u"其它"_s, u"c"_s, u"1.00"_s },
                   { u"片剂"_s, u"d"_s, u"1.00"_s },
                   { u"其它"_s, u"e"_s, u"1.00"_s } }
        << QStringList { u"片剂区"_s, u"其它"_s, u"针剂区"_s, u"器械区"_s }
        << QStringList { u"1/4"_s, u"2/4"_s, u"3/4"_s, u"4/4"_s }
        << QStringList { u"1.00"_s, u"2.00"_s, u"1.00"_s, u"1.00"_s }
        << QStringList { u"d|||||||"_s, u"c|e||||||"_s, u"b|||||||"_s, u"a|||||||"_s }
        << QStringList { u"+......."_s, u"++......"_s, u"+......."_s, u"+......."_s };

    QTest::newRow("types outside the zones are on no page")
        << Lines { { u"片剂"_s, u"a"_s, u"1.00"_s },
                   { u"中药"_s, u"b"_s, u"5.00"_s },
                   { QString(), u"c"_s, u"2.00"_s },
                   { u"片剂 "_s, u"d"_s, u"3.00"_s } }
        << QStringList { u"片剂区"_s } << QStringList { u"1/1"_s } << QStringList { u"1.00"_s }
        << QStringList { u"a|||||||"_s } << QStringList { u"+......."_s };

    QTest::newRow("zone lines without a name are printed")
        << Lines { { u"片剂"_s, QString(), u"0.50"_s },
                   { u"片剂"_s, QString(), QString() },
                   { u"片剂"_s, u"x"_s, QString() } }
        << QStringList { u"片剂区"_s } << QStringList { u"1/1"_s } << QStringList { u".50"_s }
        << QStringList { u"||x|||||"_s } << QStringList { u"+.+....."_s };

    QTest::newRow("subtotal below one has no leading zero")
        << Lines { { u"针剂"_s, u"a"_s, u"0.30"_s }, { u"针剂"_s, u"b"_s, u"0.20"_s } } << QStringList { u"针剂区"_s }
        << QStringList { u"1/1"_s } << QStringList { u".50"_s } << QStringList { u"a|b||||||"_s }
        << QStringList { u"++......"_s };

    QTest::newRow("subtotal of no numbers")
        << Lines { { u"其它"_s, u"a"_s, QString() }, { u"其它"_s, u"b"_s, u"abc"_s } } << QStringList { u"其它"_s }
        << QStringList { u"1/1"_s } << QStringList { u".00"_s } << QStringList { u"a|b||||||"_s }
        << QStringList { u"++......"_s };

    QTest::newRow("subtotal reads the number at the start")
        << Lines { { u"器械"_s, u"a"_s, u"12.50元"_s }, { u"器械"_s, u"b"_s, u"1222"_s } }
        << QStringList { u"器械区"_s } << QStringList { u"1/1"_s } << QStringList { u"1234.50"_s }
        << QStringList { u"a|b||||||"_s } << QStringList { u"++......"_s };

    QTest::newRow("sixteen lines fill two pages")
        << repeated(u"片剂"_s, u"n"_s, 16, u"0.10"_s) << QStringList { u"片剂区"_s, u"片剂区"_s }
        << QStringList { u"1/2"_s, u"2/2"_s } << QStringList { u".80"_s, u".80"_s }
        << QStringList { u"n1|n2|n3|n4|n5|n6|n7|n8"_s, u"n9|n10|n11|n12|n13|n14|n15|n16"_s }
        << QStringList { u"++++++++"_s, u"++++++++"_s };

    QTest::newRow("no zone lines") << Lines { { u"中药"_s, u"a"_s, u"3.00"_s } } << QStringList {} << QStringList {}
                                   << QStringList {} << QStringList {} << QStringList {};
    QTest::newRow("empty working set") << Lines {} << QStringList {} << QStringList {} << QStringList {}
                                       << QStringList {} << QStringList {};
}

void TestSlipComposition::pages()
{
    QFETCH(Lines, lines);
    QFETCH(QStringList, zones);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, subtotals);
    QFETCH(QStringList, names);
    QFETCH(QStringList, marks);

    const QList<SlipPage> pages = composeSlip(saleOf(lines), letterhead, clerk, today);
    QStringList shownZones, shownNumbers, shownSubtotals, shownNames, shownMarks;
    for (const SlipPage& page : pages) {
        shownZones << page.zone;
        shownNumbers << page.pageNumber;
        shownSubtotals << page.subtotal;
        shownNames << slotNames(page);
        shownMarks << slotMarks(page);
    }
    QCOMPARE(shownZones, zones);
    QCOMPARE(shownNumbers, numbers);
    QCOMPARE(shownSubtotals, subtotals);
    QCOMPARE(shownNames, names);
    QCOMPARE(shownMarks, marks);
}

void TestSlipComposition::headerOnEveryPage()
{
    // the line of no zone type counts in the grand total and its words, not in the line count
    const WorkingSet set
        = saleOf(repeated(u"片剂"_s, u"片"_s, 9, u"0.05"_s) + Lines { { u"中药"_s, u"草"_s, u"0.05"_s } });
    const QList<SlipPage> pages = composeSlip(set, letterhead, clerk, today);
    QCOMPARE(pages.size(), 2);
    for (const SlipPage& page : pages) {
        const slip::SlipHeader& header = page.header;
        QCOMPARE(header.title, u"仁和医药  销售(出库复核)清单"_s);
        QCOMPARE(header.buyer, u"同济医院"_s);
        QCOMPARE(header.clerk, clerk);
        QCOMPARE(header.salesNumber, u"XH00000000042Q"_s);
        QCOMPARE(header.lineCount, u"9"_s);
        QCOMPARE(header.total, u"0.50"_s);
        QCOMPARE(header.totalInWords, u"伍角整"_s);
        QCOMPARE(header.pageTotal, u"2"_s);
    }
}

void TestSlipComposition::pageTotalAsPrepared()
{
    WorkingSet set = saleOf(repeated(u"片剂"_s, u"片"_s, 2, u"1.00"_s));
    set.SlipPageCount = 3;
    const QList<SlipPage> pages = composeSlip(set, letterhead, clerk, today);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first().pageNumber, u"1/3"_s);
}

void TestSlipComposition::date_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::newRow("month and day padded") << QDate(2004, 6, 5) << u"2004"_s << u"06"_s << u"05"_s;
    QTest::newRow("two-digit month and day") << QDate(2004, 12, 25) << u"2004"_s << u"12"_s << u"25"_s;
}

void TestSlipComposition::date()
{
    QFETCH(QDate, date);
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    const QList<SlipPage> pages = composeSlip(saleOf({ { u"片剂"_s, u"a"_s, u"1.00"_s } }), letterhead, clerk, date);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first().header.year, year);
    QCOMPARE(pages.first().header.month, month);
    QCOMPARE(pages.first().header.day, day);
}

void TestSlipComposition::rowValuesAsStored()
{
    WorkingSet set;
    set.TransactionLines[1] = { u"3.10"_s,       u"阿莫西林胶囊"_s, u"华北制药"_s, u"12"_s,      u"4.5"_s, u"54"_s,
                                u"0.25g*24粒"_s, u"盒"_s,           u"B040301"_s,  u"2006-03"_s, u"片剂"_s };
    transaction::TallyTypes(set);
    const QList<SlipPage> pages = composeSlip(set, letterhead, clerk, today);
    QCOMPARE(pages.size(), 1);
    const slip::SlipRow& row = pages.first().rows[0];
    const QStringList shown { row.name,      row.maker,  row.spec,    row.quantity, row.unit,
                              row.unitPrice, row.amount, row.batchNo, row.expiry };
    const QStringList expected { u"阿莫西林胶囊"_s, u"华北制药"_s, u"0.25g*24粒"_s, u"12"_s,     u"盒"_s,
                                 u"4.5"_s,          u"54"_s,       u"B040301"_s,    u"2006-03"_s };
    QCOMPARE(shown, expected);
}

QTEST_APPLESS_MAIN(TestSlipComposition)
#include "test_slip_composition.moc"
