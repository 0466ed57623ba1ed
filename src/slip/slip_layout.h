#pragma once

#include <QList>
#include <QString>

namespace slip {

enum class SlipFont {
    Body, ///< 宋体 9.75 pt
    Title, ///< 黑体 15.75 pt
    Small, ///< the telephone lines and the page number, 180 twips high
};

enum class FieldAlign { Left, Centre, Right };

/** What a text of the page shows: a fixed caption, or one of the page's values. */
enum class Field {
    Caption,
    Title,
    Zone,
    Buyer,
    Year,
    Month,
    Day,
    Clerk,
    SalesNumber,
    Subtotal,
    LineCount,
    TotalInWords,
    Total,
    PageNumber,
    RowName,
    RowMaker,
    RowSpec,
    RowQuantity,
    RowUnit,
    RowUnitPrice,
    RowAmount,
    RowBatchNo,
    RowExpiry,
    RowMark,
};

/**
 * A text on the page, placed in twips from the top-left corner of the stationery. A text with a width is aligned and
 * clipped in that width; one without grows with its text, to the right of x, or to the left of x when right-aligned.
 */
struct SlipText
{
    QString name; ///< the control name the stationery's design gives it, e.g. `Label28`, `ypm1`
    Field field = Field::Caption;
    int row = 0; ///< 1 to 8 for a row value, else 0
    QString caption; ///< the text of a fixed caption
    int x = 0;
    int y = 0;
    int width = 0;
    FieldAlign align = FieldAlign::Left;
    SlipFont font = SlipFont::Body;
};

/** A rule (line) from one point to another, in twips. */
struct SlipRule
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

/** One of the two slip stationeries: its print window's name, its page size in twips, its texts and rules. */
struct SlipLayout
{
    QString windowName;
    int width = 0;
    int height = 0;
    QList<SlipText> texts;
    QList<SlipRule> rules;

    /** The text of that name; nullptr when the layout has none. */
    const SlipText* text(const QString& name) const;
};

/** `dy`: the stationery of a stored sale. */
const SlipLayout& storedLayout();
/** `dy1`: the stationery of a not-stored sale; it differs from `dy` in a few captions and positions only. */
const SlipLayout& notStoredLayout();

/** The telephone numbers printed on the stationery; they belong to the deployment, not to the program. */
inline constexpr char16_t enquiryTelephone[] = u"0571-87650001";
inline constexpr char16_t officeTelephone[] = u"0571-87650002";

} // namespace slip
