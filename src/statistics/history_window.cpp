#include "statistics/history_window.h"

#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "platform/twips.h"
#include "records/focus_hooks.h"
#include "statistics/registers.h"
#include "users/log_wording.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

// Geometry in twips.
constexpr int labelLeft = 600;
constexpr int labelWidth = 1140;
constexpr int boxLeft = 1800;
constexpr int boxWidth = 3900;
constexpr int rowHeight = 330;
constexpr int firstRowTop = 900;
constexpr int rowStep = 420;
constexpr int buttonsTop = firstRowTop + 8 * rowStep + 120;
constexpr int buttonWidth = 1020;
constexpr int buttonHeight = 420;
constexpr int buttonStep = 1140;
constexpr int firstButtonLeft = 540;

int rowTop(int row)
{
    return firstRowTop + row * rowStep;
}

int buttonLeft(int index)
{
    return firstButtonLeft + index * buttonStep;
}

} // namespace

HistoryWindow::HistoryWindow(platform::Database& database)
    : StatisticsWindow(u"Look1"_s, u"查询以往交易"_s, 6720, buttonsTop + 2 * buttonHeight + 600)
    , m_database(database)
    , m_history(database)
{
    addHeading(u"查看交易记录"_s, 1200, 180, 4320, 480);

    addLabel({}, u"购货单位:"_s, labelLeft, rowTop(0) + 30, labelWidth, rowHeight);
    m_units = addChoiceBox(u"Combo1"_s, boxLeft, rowTop(0), boxWidth, rowHeight);
    m_boxes = { addBox(u"Text1"_s, u"药品名称:"_s, rowTop(1)), addBox(u"Text2"_s, u"生产厂家:"_s, rowTop(2)),
                addBox(u"Text3"_s, u"规    格:"_s, rowTop(3)), addBox(u"Text4"_s, u"单    位:"_s, rowTop(4)),
                addBox(u"Text5"_s, u"数    量:"_s, rowTop(5)), addBox(u"Text6"_s, u"单    价:"_s, rowTop(6)),
                addBox(u"Text7"_s, u"日    期:"_s, rowTop(7)) };

    const auto button = [this](const QString& name, const QString& caption, int index) {
        return addButton(name, caption, buttonLeft(index), buttonsTop, buttonWidth, buttonHeight);
    };
    QPushButton* first = button(u"Command6"_s, u"第一条"_s, 0);
    m_previous = button(u"Command3"_s, u"上一条"_s, 1);
    m_next = button(u"Command5"_s, u"下一条"_s, 2);
    QPushButton* last = button(u"Command7"_s, u"最后一条"_s, 3);
    QPushButton* find = button(u"Command8"_s, u"查找"_s, 4);
    QPushButton* findFirst = button(u"Command11"_s, u"第一条"_s, 0);
    QPushButton* findPrevious = button(u"Command4"_s, u"上一条"_s, 1);
    QPushButton* findNext = button(u"Command9"_s, u"下一条"_s, 2);
    QPushButton* findLast = button(u"Command12"_s, u"最后一条"_s, 3);
    QPushButton* backToBrowsing = button(u"Command10"_s, u"查看"_s, 4);
    m_browseSet = { first, m_previous, m_next, last, find };
    m_findSet = { findFirst, findPrevious, findNext, findLast, backToBrowsing };
    addReturnButton(u"Command1"_s, u"返回"_s, buttonLeft(2), buttonsTop + buttonHeight + 240, buttonWidth,
                    buttonHeight);

    connect(m_units, &QComboBox::activated, this, [this](int index) { chooseUnit(m_units->itemText(index)); });

    connect(first, &QPushButton::clicked, this, [this] { browseStep(m_history.first()); });
    connect(m_previous, &QPushButton::clicked, this, [this] {
        const auto step = m_history.previous();
        if (step == SaleHistory::Step::AtFirst)
            platform::inform(u"已是第一条记录!"_s);
        browseStep(step);
    });
    connect(m_next, &QPushButton::clicked, this, [this] {
        const auto step = m_history.next();
        if (step == SaleHistory::Step::AtLast)
            platform::inform(u"已是最后一条记录!"_s);
        browseStep(step);
    });
    connect(last, &QPushButton::clicked, this, [this] { browseStep(m_history.last()); });
    connect(find, &QPushButton::clicked, this, [this] {
        setFindMode(true);
        m_boxes.first()->setFocus();
    });

    connect(findFirst, &QPushButton::clicked, this, [this] { findMove(m_history.findFirst()); });
    connect(findPrevious, &QPushButton::clicked, this, [this] { findMove(m_history.findPrevious()); });
    connect(findNext, &QPushButton::clicked, this, [this] { findMove(m_history.findNext()); });
    connect(findLast, &QPushButton::clicked, this, [this] { findMove(m_history.findLast()); });
    connect(backToBrowsing, &QPushButton::clicked, this, [this] {
        setFindMode(false);
        browseStep(m_history.first());
    });

    platform::moveFocusOnEnter(m_boxes.first(), findPrevious);
    records::onFocusLeaving(m_boxes.first(), [this] { search(); });
    setFindMode(false);
}

QLineEdit* HistoryWindow::addBox(const QString& name, const QString& label, int top)
{
    QLabel* caption = addLabel({}, label, labelLeft, top + 30, labelWidth, rowHeight);
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setEnabled(false);
    // Display only, yet as legible as a box that takes input.
    QPalette colours = box->palette();
    colours.setColor(QPalette::Disabled, QPalette::Text, colours.color(QPalette::Active, QPalette::Text));
    box->setPalette(colours);
    platform::place(box, boxLeft, top, boxWidth, rowHeight);
    caption->setBuddy(box);
    return box;
}

void HistoryWindow::opened()
{
    m_units->addItems(unitNames(m_database).value_or(QStringList()));
    m_units->setCurrentIndex(-1);
    m_units->setFocus();
    users::logAction(u"进入查看以往交易系统。"_s);
}

void HistoryWindow::leaving()
{
    users::logAction(u"退出查看以往交易系统。"_s);
}

void HistoryWindow::chooseUnit(const QString& unit)
{
    if (unit.isEmpty())
        return;
    if (!m_history.chooseUnit(unit)) {
        // What the window shows stays; the moves do nothing until a unit with sales is chosen.
        platform::inform(u"与此单位没有任何交易！"_s);
        return;
    }
    showLine();
    m_previous->setEnabled(m_history.previousEnabled());
    m_next->setEnabled(m_history.nextEnabled());
}

void HistoryWindow::showLine()
{
    const SaleLine line = m_history.line();
    const QStringList texts {
        line.medicine, line.maker, line.spec, line.unit, line.quantity, line.unitPrice, line.date
    };
    for (qsizetype i = 0; i < m_boxes.size(); ++i)
        m_boxes.at(i)->setText(texts.at(i));
}

void HistoryWindow::browseStep(SaleHistory::Step step)
{
    if (step == SaleHistory::Step::Failed)
        return;
    m_previous->setEnabled(m_history.previousEnabled());
    m_next->setEnabled(m_history.nextEnabled());
    if (step == SaleHistory::Step::Moved)
        showLine();
}

void HistoryWindow::findMove(bool done)
{
    if (done)
        showLine();
}

void HistoryWindow::search()
{
    QLineEdit* name = m_boxes.first();
    if (name->text().isEmpty())
        return;
    const auto result = m_history.search(name->text());
    if (result == SaleHistory::Search::NoUnit)
        return;
    showLine();
    if (result == SaleHistory::Search::NotFound) {
        platform::inform(u"无此药品"_s);
        name->setFocus();
    }
}

void HistoryWindow::setFindMode(bool on)
{
    m_boxes.first()->setEnabled(on);
    for (QPushButton* button : m_browseSet)
        button->setVisible(!on);
    for (QPushButton* button : m_findSet)
        button->setVisible(on);
}

} // namespace statistics
