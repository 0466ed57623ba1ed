#include "slip/slip_layout.h"

#include <array>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace slip {

namespace {

constexpr std::array<int, 8> rowTops { 1370, 1655, 1955, 2240, 2525, 2825, 3110, 3395 };
constexpr int headingTop = 1100;
constexpr int tableLeft = 10;
constexpr int tableRight = 11050;
constexpr int topRule = 1010;
constexpr int lineAreaEnd = 3650;
constexpr int totalsEnd = 4010;

struct Column
{
    QString headingName;
    QString heading;
    int headingX;
    QString prefix; ///< the value controls are the prefix followed by the row number
    Field field;
    int x;
    int width;
    FieldAlign align;
};

/** A difference of the not-stored stationery: what is set replaces the stored one's value. */
struct Change
{
    QString name;
    std::optional<QString> caption;
    std::optional<int> x;
    std::optional<int> y;
};

SlipText caption(const QString& name, const QString& text, int x, int y, SlipFont font = SlipFont::Body)
{
    return { name, Field::Caption, 0, text, x, y, 0, FieldAlign::Left, font };
}

SlipText value(const QString& name, Field field, int x, int y, int width = 0, FieldAlign align = FieldAlign::Left,
               SlipFont font = SlipFont::Body)
{
    return { name, field, 0, {}, x, y, width, align, font };
}

const QStringList storedMarks { u"Label18"_s, u"Label35"_s, u"Label37"_s, u"Label38"_s,
                                u"Label52"_s, u"Label53"_s, u"Label54"_s, u"Label55"_s };

SlipLayout buildStored()
{
    SlipLayout layout;
    layout.windowName = u"dy"_s;
    layout.width = 11745;
    layout.height = 4920;
    QList<SlipText>& t = layout.texts;

    t << value(u"Label28"_s, Field::Title, 85, -10, 11190, FieldAlign::Centre, SlipFont::Title)
      << caption(u"Label29"_s, u"库区："_s, 420, 455) << value(u"Label39"_s, Field::Zone, 895, 455)
      << caption(u"Label11"_s, u"咨询电话："_s + QString::fromUtf16(enquiryTelephone), 8740, 460, SlipFont::Small)
      << caption(u"Label2"_s, u"购货单位:"_s, 10, 740) << value(u"Label43"_s, Field::Buyer, 895, 740)
      << caption(u"Label22"_s, u"制单日期:"_s, 4700, 740) << value(u"Lyear"_s, Field::Year, 5590, 740)
      << caption(u"Label15"_s, u"/"_s, 5995, 740) << value(u"Lmonth"_s, Field::Month, 6130, 740)
      << caption(u"Label12"_s, u"/"_s, 6325, 740) << value(u"Ldate"_s, Field::Day, 6450, 740)
      << caption(u"Label40"_s, u"制单："_s, 7050, 740) << value(u"Label41"_s, Field::Clerk, 7555, 740)
      << caption(u"Label20"_s, u"销售单号:"_s, 8680, 740)
      << value(u"Label14"_s, Field::SalesNumber, 9535, 740, 1470, FieldAlign::Right);

    const Column columns[] = {
        { u"headypm"_s, u"品  名"_s, 610, u"ypm"_s, Field::RowName, 40, 1875, FieldAlign::Left },
        { u"headzzs"_s, u"生  产 厂 家"_s, 2410, u"zzs"_s, Field::RowMaker, 1960, 2175, FieldAlign::Left },
        { u"headgg"_s, u"规 格"_s, 4330, u"gg"_s, Field::RowSpec, 4120, 915, FieldAlign::Left },
        { u"headsl"_s, u"数量"_s, 5230, u"sl"_s, Field::RowQuantity, 5650, 0, FieldAlign::Right },
        { u"headdw"_s, u"单位"_s, 5815, u"dw"_s, Field::RowUnit, 5770, 480, FieldAlign::Centre },
        { u"headdj"_s, u"单价"_s, 6490, u"dj"_s, Field::RowUnitPrice, 6270, 795, FieldAlign::Right },
        { u"headmoney"_s, u"金 额"_s, 7370, u"money"_s, Field::RowAmount, 7150, 990, FieldAlign::Right },
        { u"headypph"_s, u"批 号"_s, 8530, u"ypph"_s, Field::RowBatchNo, 8210, 1125, FieldAlign::Left },
        { u"headbzq"_s, u"有效期"_s, 9530, u"bzq"_s, Field::RowExpiry, 9410, 900, FieldAlign::Left },
        { u"headmark"_s, u"质量"_s, 10500, {}, Field::RowMark, 10450, 480, FieldAlign::Centre },
    };
    for (const Column& column : columns) {
        t << caption(column.headingName, column.heading, column.headingX, headingTop);
        for (int r = 1; r <= static_cast<int>(rowTops.size()); ++r) {
            const QString name = column.prefix.isEmpty() ? storedMarks.at(r - 1) : column.prefix + QString::number(r);
            SlipText cell
                = value(name, column.field, column.x, rowTops[static_cast<size_t>(r - 1)], column.width, column.align);
            cell.row = r;
            t << cell;
        }
    }

    constexpr int totalsTop = 3725;
    t << caption(u"Label23"_s, u"本页小计："_s, 30, totalsTop) << value(u"moneyall"_s, Field::Subtotal, 970, totalsTop)
      << caption(u"Label13"_s, u"条数:"_s, 3130, totalsTop) << value(u"Label42"_s, Field::LineCount, 3610, totalsTop)
      << caption(u"Label32"_s, u"整单合计:"_s, 5770, totalsTop)
      << value(u"Label33"_s, Field::TotalInWords, 6730, totalsTop)
      << value(u"Label34"_s, Field::Total, 10930, totalsTop, 0, FieldAlign::Right);

    constexpr int copiesTop = 4040;
    constexpr int signaturesTop = 4310;
    t << caption(u"Label30"_s,
                 u"白联:存根   红联:客户   蓝联:发货   绿联:复核   黄联:随货同行      [售出药品,若非质量问题,"_s, 130,
                 copiesTop)
      << caption(u"Label17"_s, u"《Sorvik》软件"_s, 9490, copiesTop)
      << caption(u"sealCaption"_s, u"单位盖章："_s, 10, signaturesTop)
      << caption(u"shipperCaption"_s, u"发货人:"_s, 1210, signaturesTop)
      << caption(u"checkerCaption"_s, u"复核人:"_s, 2410, signaturesTop)
      << caption(u"carrierCaption"_s, u"送货人:"_s, 3610, signaturesTop)
      << caption(u"receiverCaption"_s, u"收货人:"_s, 4810, signaturesTop)
      << caption(u"invoiceCaption"_s, u"开 票:"_s, 6010, signaturesTop)
      << caption(u"bookkeepingCaption"_s, u"记 帐:"_s, 7090, signaturesTop)
      << caption(u"Label1"_s, u"概不退货,请慎重选择!]"_s, 8170, signaturesTop)
      << value(u"Label27"_s, Field::PageNumber, 10810, 4390, 0, FieldAlign::Right, SlipFont::Small);

    QList<SlipRule>& rules = layout.rules;
    for (const int y : { topRule, 1030, 1320, 1610, 1900, 2190, 2480, 2770, 3060, 3350, lineAreaEnd, totalsEnd })
        rules << SlipRule { tableLeft, y, tableRight, y };
    for (const int x : { tableLeft, tableRight })
        rules << SlipRule { x, 1030, x, totalsEnd };
    for (const int x : { 1930, 4090, 5050, 5770, 6250, 7090, 8170, 9370, 10330 })
        rules << SlipRule { x, topRule, x, lineAreaEnd };
    return layout;
}

SlipLayout buildNotStored()
{
    SlipLayout layout = buildStored();
    layout.windowName = u"dy1"_s;
    layout.width = 11400;

    const QList<Change> changes {
        { u"Label30"_s, u"红联:财务  蓝联:发货  绿联:复核  黄联:随货同行   [售出药品,若非质量问题,"_s, 205, {} },
        { u"Label1"_s, u"概不退货。请慎重选择！"_s, 6250, 4310 },
        { u"Label17"_s, {}, 7570, 4040 },
        { u"invoiceCaption"_s, u"开票:"_s, 5530, {} },
        { u"sealCaption"_s, {}, 130, {} },
        { u"shipperCaption"_s, {}, 1450, {} },
        { u"checkerCaption"_s, {}, 2530, {} },
        { u"receiverCaption"_s, {}, 4570, {} },
        { u"headgg"_s, u"规  格"_s, {}, {} },
        { u"headsl"_s, u"数 量"_s, {}, {} },
        { u"headmoney"_s, u"金  额"_s, {}, {} },
        { u"headypph"_s, u"批  号"_s, {}, {} },
        { u"Label33"_s, {}, 6610, {} },
    };
    for (const Change& change : changes) {
        for (SlipText& text : layout.texts) {
            if (text.name != change.name)
                continue;
            text.caption = change.caption.value_or(text.caption);
            text.x = change.x.value_or(text.x);
            text.y = change.y.value_or(text.y);
            break;
        }
    }
    // the quality marks are numbered on from Label52, a name the stored stationery gives its fifth row
    for (SlipText& text : layout.texts) {
        if (text.field == Field::RowMark)
            text.name = u"Label%1"_s.arg(51 + text.row);
    }
    layout.texts.removeIf([](const SlipText& text) { return text.name == u"bookkeepingCaption"_s; });
    layout.texts << caption(u"officeTelephone"_s, u"电话："_s + QString::fromUtf16(officeTelephone), 9200, 4040,
                            SlipFont::Small);
    return layout;
}

} // namespace

const SlipText* SlipLayout::text(const QString& name) const
{
    for (const SlipText& candidate : texts) {
        if (candidate.name == name)
            return &candidate;
    }
    return nullptr;
}

const SlipLayout& storedLayout()
{
    static const SlipLayout layout = buildStored();
    return layout;
}

const SlipLayout& notStoredLayout()
{
    static const SlipLayout layout = buildNotStored();
    return layout;
}

} // namespace slip
