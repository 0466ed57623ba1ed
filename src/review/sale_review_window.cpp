#include "review/sale_review_window.h"

#include "platform/dialogs.h"
#include "platform/focus_moves.h"
#include "platform/input_boxes.h"
#include "platform/twips.h"
#include "review/line_correction.h"
#include "review/parallel_lists.h"
#include "review/window_parts.h"
#include "transaction/amounts.h"
#include "transaction/working_set.h"
#include "users/log_wording.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

using namespace Qt::Literals::StringLiterals;

namespace review {

namespace {

// Geometry in twips.
constexpr int windowWidth = 11850;
constexpr int windowHeight = 6465;
constexpr int headingTop = 660;
constexpr int listTop = 960;
constexpr int listHeight = 3300;
constexpr int boxTop = 4380;
constexpr int boxHeight = 375;
constexpr int buttonTop = 5400;
constexpr int buttonWidth = 1500;
constexpr int buttonHeight = 495;

struct Column
{
    const char16_t* heading;
    const char16_t* headingName;
    int left;
    int width;
};

// Left to right: List1/Text1 … List10/Text10.
constexpr Column columns[] = {
    { u"药品名称", u"Label3", 240, 2160 }, { u"药品制造商", u"Label10", 2400, 1800 },
    { u"数 量", u"Label4", 4200, 720 },    { u"单价", u"Label5", 4920, 840 },
    { u"金  额", u"Label6", 5760, 960 },   { u"规 格", u"Label8", 6720, 1200 },
    { u"单位", u"Label9", 7920, 600 },     { u"批  号", u"Label7", 8520, 1080 },
    { u"有效期", u"Label14", 9600, 1080 }, { u"类型", u"Label17", 10680, 900 },
};

// Columns of the boxes, 1-based like their names.
constexpr int nameColumn = 1;
constexpr int quantityColumn = 3;
constexpr int priceColumn = 4;
constexpr int amountColumn = 5;
constexpr int unitColumn = 7;

transaction::Line& line(int number)
{
    return transaction::workingSet().TransactionLines[static_cast<size_t>(number)];
}

} // namespace

SaleReviewWindow::SaleReviewWindow(QWidget* parent) : QWidget(parent, reviewWindowFlags())
{
    setObjectName(u"查看本次交易"_s);
    setWindowTitle(u"Tarnwell"_s);
    setFixedSize(platform::pixels(windowWidth), platform::pixels(windowHeight));
    auto* title = headingLabel(this, u"Label1"_s, u"交易确认"_s, 4725, 120, 2400, 420);
    title->setAlignment(Qt::AlignCenter);

    buildColumns();
    buildButtons();
    showMode(false);
    runOnceShown(this, [this] { fillLists(); });

    users::logAction(u"进入交易查看页面。"_s);
}

void SaleReviewWindow::buildColumns()
{
    QList<QListWidget*> lists;
    for (size_t c = 0; c < std::size(columns); ++c) {
        const Column& column = columns[c];
        auto* heading = new QLabel(QString::fromUtf16(column.heading), this);
        heading->setObjectName(QString::fromUtf16(column.headingName));
        heading->setAlignment(Qt::AlignCenter);
        platform::place(heading, column.left, headingTop, column.width, 300);

        auto* list = new QListWidget(this);
        list->setObjectName(u"List%1"_s.arg(c + 1));
        platform::place(list, column.left, listTop, column.width, listHeight);
        lists << list;
    }
    m_lists = std::make_unique<ParallelLists>(lists);

    for (size_t c = 0; c < std::size(columns); ++c) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(u"Text%1"_s.arg(c + 1));
        platform::place(edit, columns[c].left, boxTop, columns[c].width, boxHeight);
        m_boxes[c] = edit;
    }
    for (const int displayOnly : { nameColumn, amountColumn, unitColumn })
        box(displayOnly)->setEnabled(false);
    for (const int numbersAndCodes : { 3, 4, 6, 8, 9 })
        platform::disableInputMethod(box(numbersAndCodes));
    keepDigits(box(quantityColumn), false);
    keepDigits(box(priceColumn), true);
    box(quantityColumn)->installEventFilter(this);
    box(priceColumn)->installEventFilter(this);
}

SaleReviewWindow::~SaleReviewWindow() = default;

bool SaleReviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut || m_switching)
        return QWidget::eventFilter(watched, event);
    // the user moving on within the window, not the focus going to a message box, a popup or another window
    if (!platform::focusMovedOnWithinWindow(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event)))
        return false;
    recalculateAmount();
    if (watched == box(priceColumn))
        checkPurchasePrice();
    return false;
}

void SaleReviewWindow::buildButtons()
{
    m_findButton = placedButton(this, u"Command5"_s, u"查找"_s, 1320, buttonTop, buttonWidth, buttonHeight);
    m_editButton = placedButton(this, u"Command3"_s, u"修 改"_s, 3480, buttonTop, buttonWidth, buttonHeight);
    m_confirmButton = placedButton(this, u"Command4"_s, u"确  认"_s, 3480, buttonTop, buttonWidth, buttonHeight);
    m_cancelButton = placedButton(this, u"Command2"_s, u"取 消"_s, 5640, buttonTop, buttonWidth, buttonHeight);
    m_returnButton = placedButton(this, u"Command1"_s, u"返  回"_s, 7800, buttonTop, buttonWidth, buttonHeight);
    connect(m_findButton, &QPushButton::clicked, this, &SaleReviewWindow::find);
    connect(m_editButton, &QPushButton::clicked, this, &SaleReviewWindow::beginEdit);
    connect(m_confirmButton, &QPushButton::clicked, this, &SaleReviewWindow::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &SaleReviewWindow::cancel);
    connect(m_returnButton, &QPushButton::clicked, this, &QWidget::close);

    platform::moveFocusOnEnter(box(3), box(4));
    platform::moveFocusOnEnter(box(4), box(6));
    platform::moveFocusOnEnter(box(6), box(8));
    platform::moveFocusOnEnter(box(8), box(9));
    platform::moveFocusOnEnter(box(9), box(10));
    platform::moveFocusOnEnter(box(10), m_confirmButton);

    // Esc cancels a correction in progress, and otherwise leaves the window
    auto* escape = new QShortcut(Qt::Key_Escape, this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this,
            [this] { (m_cancelButton->isVisible() ? m_cancelButton : m_returnButton)->click(); });
}

QStringList SaleReviewWindow::boxTexts() const
{
    QStringList texts;
    for (const QLineEdit* edit : m_boxes)
        texts << edit->text();
    return texts;
}

void SaleReviewWindow::fillLists()
{
    m_lists->clear();
    for (const int number : listedLines(transaction::workingSet()))
        m_lists->appendRow(shownFields(line(number)));
}

void SaleReviewWindow::find()
{
    const QString wanted = platform::dialogs().input(u"\r\n\r\n请输入查找药品名:"_s, u"查找"_s, QString());
    if (wanted.isEmpty())
        return;
    const int row = m_lists->findLeading(wanted);
    if (row < 0) {
        platform::inform(u"本次交易无此药品!"_s);
        return;
    }
    m_lists->selectRow(row);
}

void SaleReviewWindow::beginEdit()
{
    const int row = m_lists->currentRow();
    if (row < 0)
        return;
    const std::optional<int> edited = lineShownAs(transaction::workingSet(), m_lists->rowTexts(row));
    if (!edited)
        return;
    showMode(true);
    const QStringList texts = shownFields(line(*edited));
    for (size_t c = 0; c < m_boxes.size(); ++c)
        m_boxes[c]->setText(texts.at(qsizetype(c)));
    m_editedLine = *edited;
    box(quantityColumn)->setFocus(Qt::OtherFocusReason);
    m_rememberedRow = row;
}

void SaleReviewWindow::recalculateAmount()
{
    // a price like "1.2." passes the key filter but is no number: the amount stays as it was
    if (const auto amount = transaction::lineAmount(box(quantityColumn)->text(), box(priceColumn)->text()))
        box(amountColumn)->setText(*amount);
}

void SaleReviewWindow::checkPurchasePrice()
{
    if (m_editedLine < 1)
        return;
    const QString purchasePrice = line(m_editedLine).purchasePrice;
    if (!transaction::isBelowPurchasePrice(purchasePrice, box(priceColumn)->text()))
        return;
    if (platform::confirmYesNo(transaction::belowPurchasePriceQuestion(purchasePrice)))
        box(priceColumn)->setFocus(Qt::OtherFocusReason);
}

void SaleReviewWindow::confirm()
{
    if (m_editedLine < 1)
        return;
    users::logAction(u"修改交易药品"_s + box(nameColumn)->text() + u",成功。"_s);
    const QStringList texts = boxTexts();
    showMode(false);
    transaction::WorkingSet& set = transaction::workingSet();
    correctLine(set, m_editedLine, texts);
    m_editedLine = 0;
    fillLists();
    m_lists->selectRow(rowAfterCorrection(m_rememberedRow, m_lists->rowCount()));
    m_lists->leading()->setFocus(Qt::OtherFocusReason);
}

void SaleReviewWindow::cancel()
{
    showMode(false);
    m_editedLine = 0;
    m_lists->leading()->setFocus(Qt::OtherFocusReason);
}

void SaleReviewWindow::showMode(bool editing)
{
    m_switching = true;
    m_lists->setEnabled(!editing);
    if (!editing)
        m_lists->leading()->setFocus(Qt::OtherFocusReason);
    for (QLineEdit* edit : m_boxes)
        edit->setVisible(editing);
    m_editButton->setVisible(!editing);
    m_confirmButton->setVisible(editing);
    m_cancelButton->setVisible(editing);
    m_switching = false;
}

void SaleReviewWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted() || m_left)
        return;
    // the return button, Esc and the title bar all leave the window; nothing in the boxes is written
    m_left = true;
    m_switching = true;
    users::logAction(u"退出交易查看页面。"_s);
}

} // namespace review
