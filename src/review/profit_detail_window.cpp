#include "review/profit_detail_window.h"

#include "platform/input_boxes.h"
#include "platform/twips.h"
#include "review/parallel_lists.h"
#include "review/profit.h"
#include "review/window_parts.h"
#include "transaction/working_set.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace review {

namespace {

// Geometry in twips.
constexpr int windowWidth = 11850;
constexpr int windowHeight = 6465;
constexpr int headingTop = 660;
constexpr int listTop = 960;
constexpr int listHeight = 3900;
constexpr int totalsTop = listTop + listHeight;
constexpr int totalsHeight = 375;

struct Column
{
    int list; ///< the number of its list, `List1` … `List10`
    const char16_t* heading;
    int left;
    int width;
};

// Left to right; the totals row's boxes stand under the last three.
constexpr Column columns[] = {
    { 1, u"药品名称", 240, 2160 }, { 2, u"药品制造商", 2400, 1800 }, { 6, u"规 格", 4200, 1080 },
    { 7, u"单位", 5280, 600 },     { 3, u"数量", 5880, 720 },        { 8, u"进价", 6600, 840 },
    { 4, u"单价", 7440, 840 },     { 5, u"交易金额", 8280, 1080 },   { 9, u"本 金", 9360, 1080 },
    { 10, u"利 润", 10440, 1080 },
};
constexpr size_t amountColumn = 7;

} // namespace

ProfitDetailWindow::ProfitDetailWindow(const ProfitTotals& totals, QWidget* parent)
    : QWidget(parent, reviewWindowFlags())
{
    setObjectName(u"详细信息"_s);
    setWindowTitle(u"Tarnwell"_s);
    setFixedSize(platform::pixels(windowWidth), platform::pixels(windowHeight));
    headingLabel(this, u"Label1"_s, u"详细信息"_s, 4725, 120, 2400, 420)->setAlignment(Qt::AlignCenter);

    QList<QListWidget*> lists(std::size(columns));
    for (size_t c = 0; c < std::size(columns); ++c) {
        const Column& column = columns[c];
        auto* heading = new QLabel(QString::fromUtf16(column.heading), this);
        heading->setObjectName(u"Label%1"_s.arg(c + 2));
        heading->setAlignment(Qt::AlignCenter);
        platform::place(heading, column.left, headingTop, column.width, 300);
        auto* list = new QListWidget(this);
        list->setObjectName(u"List%1"_s.arg(column.list));
        platform::place(list, column.left, listTop, column.width, listHeight);
        lists[column.list - 1] = list;
    }
    m_lists = std::make_unique<ParallelLists>(lists);

    const auto totalBox = [this](const QString& name, const QString& text, int left, int width) {
        auto* shown = new QLineEdit(text, this);
        shown->setObjectName(name);
        shown->setReadOnly(true);
        platform::place(shown, left, totalsTop, width, totalsHeight);
        m_lists->passFocusToLeading(shown);
    };
    const Column& amount = columns[amountColumn];
    totalBox(u"Text1"_s, u"合计:"_s, columns[0].left, amount.left - columns[0].left);
    totalBox(u"Text2"_s, totals.total, amount.left, amount.width);
    totalBox(u"Text3"_s, totals.cost, columns[amountColumn + 1].left, columns[amountColumn + 1].width);
    totalBox(u"Text4"_s, totals.profit, columns[amountColumn + 2].left, columns[amountColumn + 2].width);

    auto* back = placedButton(this, u"Command1"_s, u"返  回"_s, 5175, 5640, 1500, 495);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    platform::pressOnEscape(back);

    runOnceShown(this, [this] { fillLists(); });
}

ProfitDetailWindow::~ProfitDetailWindow() = default;

void ProfitDetailWindow::fillLists()
{
    m_lists->clear();
    for (const QStringList& row : profitDetailRows(transaction::workingSet()))
        m_lists->appendRow(row);
}

} // namespace review
