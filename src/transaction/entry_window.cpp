#include "transaction/entry_window.h"

#include "platform/accessible_names.h"
#include "platform/button_keys.h"
#include "platform/clock.h"
#include "platform/data_folder.h"
#include "platform/dialogs.h"
#include "platform/focus_moves.h"
#include "platform/input_boxes.h"
#include "platform/timing.h"
#include "platform/top_level_windows.h"
#include "platform/twips.h"
#include "shell/window_opening.h"
#include "store/bound_recordset.h"
#include "transaction/amounts.h"
#include "transaction/commit.h"
#include "transaction/expiry.h"
#include "transaction/find_list_window.h"
#include "transaction/last_sale.h"
#include "transaction/running_total.h"
#include "transaction/sale_notices.h"
#include "transaction/transaction_file.h"
#include "users/log_wording.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

// Geometry in twips.
constexpr int windowWidth = 11400;
constexpr int windowHeight = 6120;
constexpr int headingTop = 1080;
constexpr int firstRowTop = 1440;
constexpr int rowPitch = 360;
constexpr int rowHeight = 375;
constexpr int buttonTop = 5280;
// below the buttons: the rows reach down to them
constexpr int infoLineTop = 5820;

struct Column
{
    const char16_t* prefix;
    const char16_t* heading;
    const char16_t* headingName;
    int left;
    int width;
};

// Left to right, in the order of the row's boxes.
constexpr Column columns[] = {
    { u"Name", u"药品名称", u"Label3", 120, 2160 },   { u"shang", u"药品制造商", u"Label10", 2280, 1800 },
    { u"Number", u"数 量", u"Label4", 4080, 720 },    { u"Danjia", u"单价", u"Label5", 4800, 840 },
    { u"Money", u"金  额", u"Label6", 5640, 960 },    { u"Guige", u"规 格", u"Label8", 6600, 1200 },
    { u"Danwei", u"单位", u"Label9", 7800, 600 },     { u"date", u"批  号", u"Label7", 8400, 1080 },
    { u"beizhu", u"有效期", u"Label14", 9480, 1080 }, { u"leixing", u"类型", u"Label17", 10560, 720 },
};

const QString databaseError = u"数据库错误，请检查数据库！"_s;
const QString chooseUnit = u"请选择购货单位!"_s;

bool isNavigation(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

/** Only a character key typed by the user can be discarded; moving keys never produce one. */
bool isCharacter(const QKeyEvent* key)
{
    return !key->text().isEmpty() && !isNavigation(key);
}

PurchasePrices purchasePricesOf(const EntryVariant& variant)
{
    return variant.purchasePrices ? PurchasePrices::Kept : PurchasePrices::Dropped;
}

QLabel* holder(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

} // namespace

EntryWindow::EntryWindow(platform::Database& database, const EntryVariant& variant, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_database(database)
    , m_variant(variant)
    , m_units(new store::BoundRecordset(database, u"单位"_s, this))
    , m_catalogue(new store::BoundRecordset(database, u"药品"_s, this))
    , m_unitTable(new store::BoundRecordset(database, this))
    , m_openingTimer(new QTimer(this))
    , m_closingTimer(new QTimer(this))
{
    setObjectName(m_variant.windowName);
    setWindowTitle(u"Tarnwell"_s);
    setFixedSize(platform::pixels(windowWidth), platform::pixels(windowHeight));
    m_units->setObjectName(u"Data1"_s);
    m_catalogue->setObjectName(u"Data2"_s);
    m_unitTable->setObjectName(u"Data3"_s);

    buildHeader();
    buildRows();
    buildChoiceList();
    buildButtons();
    chainFocus();
    hideChoices();
    m_findList = new FindListWindow(*m_catalogue, this);
    for (int r = 1; r <= rowsPerPage; ++r)
        m_findList->attach(rowControls(r).name, r);
    connect(m_findList, &FindListWindow::taken, this, &EntryWindow::takeFound);
    // the list covers the rows, not the unit it is chosen for
    m_unitBox->raise();

    m_openingTimer->setObjectName(u"Timer1"_s);
    m_openingTimer->setSingleShot(true);
    connect(m_openingTimer, &QTimer::timeout, this, &EntryWindow::fillUnitList);
    m_closingTimer->setObjectName(u"Timer2"_s);
    m_closingTimer->setSingleShot(true);
    connect(m_closingTimer, &QTimer::timeout, this, &EntryWindow::closeAfterFinish);

    workingSet().ClearLines();
    // another entry window open on the same working set follows its changes
    connect(&saleNotices(), &SaleNotices::started, this, &EntryWindow::refreshSaleSoFar);
    connect(&saleNotices(), &SaleNotices::linesChanged, this, &EntryWindow::refreshSaleSoFar);
    emit saleNotices().started();
    m_unitBox->setFocus();
}

EntryWindow::~EntryWindow() = default;

EntryWindow* EntryWindow::open(platform::Database& database, const EntryVariant& variant)
{
    auto* window = qobject_cast<EntryWindow*>(platform::topLevelWindow(variant.windowName));
    if (!window) {
        window = new EntryWindow(database, variant);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    shell::openPlainly(*window);
    return window;
}

void EntryWindow::buildHeader()
{
    auto* title = new QLabel(u"新交易"_s, this);
    title->setObjectName(u"Label1"_s);
    QFont titleFont = title->font();
    titleFont.setFamilies({ u"仿宋_GB2312"_s, u"FangSong"_s, u"AR PL UKai CN"_s, u"Noto Serif CJK SC"_s });
    titleFont.setPointSizeF(15.75);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    platform::place(title, 5160, 120, 1080, 420);

    auto* unitCaption = new QLabel(u"单位："_s, this);
    unitCaption->setObjectName(u"Label2"_s);
    platform::place(unitCaption, 120, 460, 600, 330);
    m_unitBox = new QComboBox(this);
    m_unitBox->setObjectName(u"Combo1"_s);
    platform::place(m_unitBox, 720, 460, 3600, 330);
    platform::captionBox(unitCaption, m_unitBox);
    watch(m_unitBox, Role::UnitBox);

    for (const Column& column : columns) {
        auto* heading = new QLabel(QString::fromUtf16(column.heading), this);
        heading->setObjectName(QString::fromUtf16(column.headingName));
        heading->setAlignment(Qt::AlignCenter);
        platform::place(heading, column.left, headingTop, column.width, 300);
    }

    m_choiceRow = holder(this, u"Label13"_s);
    m_runningTotal = holder(this, m_variant.runningTotalLabel, u"0"_s);
    m_lastLine = holder(this, u"Label15"_s, u"0"_s);
    m_serialHolder = holder(this, u"Label11"_s);

    m_lastSale = new QLabel(this);
    m_lastSale->setObjectName(u"lastSale"_s);
    platform::place(m_lastSale, 120, infoLineTop, 6360, 285);
    m_saleSoFar = new QLabel(saleSoFarText({}), this);
    m_saleSoFar->setObjectName(u"saleSoFar"_s);
    m_saleSoFar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    platform::place(m_saleSoFar, 6600, infoLineTop, 4680, 285);
}

void EntryWindow::buildRows()
{
    for (int r = 1; r <= rowsPerPage; ++r) {
        const int top = firstRowTop + (r - 1) * rowPitch;
        std::array<QLineEdit*, std::size(columns)> boxes {};
        for (size_t c = 0; c < std::size(columns); ++c) {
            auto* box = new QLineEdit(this);
            box->setObjectName(QString::fromUtf16(columns[c].prefix) + QString::number(r));
            box->setAccessibleName(platform::rowBoxName(QString::fromUtf16(columns[c].heading), r));
            platform::place(box, columns[c].left, top, columns[c].width, rowHeight);
            boxes[c] = box;
        }
        RowControls& row = rowControls(r);
        row = { boxes[0], boxes[1], boxes[2], boxes[3], boxes[4], boxes[5], boxes[6], boxes[7], boxes[8], boxes[9] };
        if (m_variant.purchasePrices)
            row.purchasePrice = holder(this, u"jinjia%1"_s.arg(r));

        platform::disableInputMethod(row.quantity);
        platform::disableInputMethod(row.price);
        watch(row.name, Role::Name, r);
        watch(row.quantity, Role::Quantity, r);
        watch(row.price, Role::Price, r);
        watch(row.expiry, Role::Expiry, r);
        connect(row.name, &QLineEdit::textChanged, this, &EntryWindow::refreshSaleSoFar);
        connect(row.amount, &QLineEdit::textChanged, this, &EntryWindow::refreshSaleSoFar);
        platform::moveFocusOnEnter(row.name, row.quantity);
        platform::moveFocusOnEnter(row.quantity, row.price);
        platform::moveFocusOnEnter(row.price, row.batchNo);
        platform::moveFocusOnEnter(row.batchNo, row.expiry);
    }
}

void EntryWindow::buildChoiceList()
{
    m_choiceFrame = new QFrame(this);
    m_choiceFrame->setObjectName(u"Frame1"_s);
    m_choiceFrame->setFrameShape(QFrame::Box);
    m_choiceFrame->setAutoFillBackground(true);
    platform::place(m_choiceFrame, 900, 600, 9615, 4650);
    m_choiceCaption = new QLabel(u"请选择:"_s, m_choiceFrame);
    m_choiceCaption->setObjectName(u"Label12"_s);
    platform::place(m_choiceCaption, 120, 240, 1200, 300);
    m_choiceList = new QListWidget(m_choiceFrame);
    m_choiceList->setObjectName(u"Combo2"_s);
    platform::place(m_choiceList, 120, 540, 9375, 3990);
    watch(m_choiceList, Role::ChoiceList);
    platform::captionBox(m_choiceCaption, m_choiceList);
    if (m_variant.purchasePrices) {
        m_choicePurchasePrices = new QListWidget(this);
        m_choicePurchasePrices->setObjectName(u"List1"_s);
        m_choicePurchasePrices->hide();
    }
}

void EntryWindow::buildButtons()
{
    const auto button = [this](const QString& name, const QString& caption, int left) {
        auto* pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(name);
        // Enter presses the button that has the focus, as it does in the rest of the program's windows
        pushButton->setAutoDefault(true);
        platform::place(pushButton, left, buttonTop, 1500, 495);
        return pushButton;
    };
    m_continueButton = button(u"Command1"_s, m_variant.continueCaption, 720);
    m_finishButton = button(u"Command2"_s, m_variant.finishCaption, 2820);
    m_cancelButton = button(u"Command3"_s, u"取消交易"_s, 4920);
    m_saveButton = button(u"Command5"_s, u"保存交易"_s, 7020);
    m_readButton = button(u"Command4"_s, u"读取交易"_s, 9120);
    connect(m_continueButton, &QPushButton::clicked, this, &EntryWindow::continueEntry);
    connect(m_finishButton, &QPushButton::clicked, this, &EntryWindow::finish);
    connect(m_cancelButton, &QPushButton::clicked, this, &EntryWindow::cancel);
    connect(m_saveButton, &QPushButton::clicked, this, &EntryWindow::saveFile);
    connect(m_readButton, &QPushButton::clicked, this, &EntryWindow::readFile);
    // F2 is the name boxes' find list; F1, F3, F4 and F10 have meanings of their own in many programs
    platform::pressWithKey(m_continueButton, QKeySequence(Qt::Key_F5));
    platform::pressWithKey(m_finishButton, QKeySequence(Qt::Key_F9));
    platform::pressWithKey(m_cancelButton, QKeySequence(Qt::Key_F12));
}

void EntryWindow::chainFocus()
{
    for (int r = 1; r < rowsPerPage; ++r)
        platform::moveFocusOnEnter(rowControls(r).expiry, rowControls(r + 1).name);
    platform::moveFocusOnEnter(rowControls(rowsPerPage).expiry, m_continueButton);

    QList<QWidget*> order { m_unitBox };
    for (const RowControls& row : m_rows)
        order << row.name << row.maker << row.quantity << row.price << row.amount << row.spec << row.unit << row.batchNo
              << row.expiry << row.type;
    order << m_continueButton << m_finishButton << m_cancelButton << m_saveButton << m_readButton << m_choiceList;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void EntryWindow::watch(QWidget* control, Role role, int row)
{
    m_watched.insert(control, { role, row });
    control->installEventFilter(this);
}

Line EntryWindow::rowTexts(int r) const
{
    const RowControls& row = rowControls(r);
    Line texts;
    texts.purchasePrice = row.purchasePrice ? row.purchasePrice->text() : QString();
    texts.name = row.name->text();
    texts.maker = row.maker->text();
    texts.quantity = row.quantity->text();
    texts.unitPrice = row.price->text();
    texts.amount = row.amount->text();
    texts.spec = row.spec->text();
    texts.unit = row.unit->text();
    texts.batchNo = row.batchNo->text();
    texts.expiry = row.expiry->text();
    texts.drugType = row.type->text();
    return texts;
}

void EntryWindow::showRow(int r, const Line& texts)
{
    RowControls& row = rowControls(r);
    if (row.purchasePrice)
        row.purchasePrice->setText(texts.purchasePrice);
    row.name->setText(texts.name);
    row.maker->setText(texts.maker);
    row.quantity->setText(texts.quantity);
    row.price->setText(texts.unitPrice);
    row.amount->setText(texts.amount);
    row.spec->setText(texts.spec);
    row.unit->setText(texts.unit);
    row.batchNo->setText(texts.batchNo);
    row.expiry->setText(texts.expiry);
    row.type->setText(texts.drugType);
}

PageRows EntryWindow::rows() const
{
    PageRows page;
    for (int r = 1; r <= rowsPerPage; ++r)
        page[static_cast<size_t>(r - 1)] = rowTexts(r);
    return page;
}

bool EntryWindow::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = m_watched.constFind(watched);
    if (found == m_watched.cend())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return dropsKey(*found, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        if (platform::focusCameFromWithinWindow(static_cast<QFocusEvent*>(event)))
            gotFocus(*found);
        break;
    case QEvent::FocusOut:
        // opening the unit list, a message box or another window is not leaving the box
        if (platform::focusMovedOnWithinWindow(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event))
            && !m_handlingFocus && !m_ending) {
            // a copy: the handler may change what is watched
            const Watched what = *found;
            m_handlingFocus = true;
            lostFocus(what);
            m_handlingFocus = false;
        }
        break;
    default:
        break;
    }
    return false;
}

bool EntryWindow::dropsKey(const Watched& watched, QKeyEvent* key)
{
    const QString text = key->text();
    switch (watched.role) {
    case Role::UnitBox:
        // the unit is picked from the list; typing cannot make one up
        if (isEnter(key)) {
            rowControls(1).name->setFocus(Qt::TabFocusReason);
            return true;
        }
        return isCharacter(key);
    case Role::ChoiceList:
        if (isEnter(key)) {
            const int k = m_choiceRow->text().toInt();
            if (k >= 1 && k <= rowsPerPage)
                rowControls(k).quantity->setFocus(Qt::TabFocusReason);
            hideChoices();
            return true;
        }
        return false;
    case Role::Name:
        return text == u"'" || text == u"]";
    case Role::Expiry:
        return false;
    case Role::Quantity:
    case Role::Price:
        if (!isCharacter(key) || isEnter(key) || key->key() == Qt::Key_Backspace)
            return false;
        if (text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
            return false;
        return !(watched.role == Role::Price && text == u".");
    }
    return false;
}

void EntryWindow::gotFocus(const Watched& watched)
{
    if (watched.role != Role::Name)
        return;
    // records added to the catalogue meanwhile are found
    m_catalogue->refresh();
    hideChoices();
    showLastSale(watched.row);
}

void EntryWindow::lostFocus(const Watched& watched)
{
    switch (watched.role) {
    case Role::UnitBox:
        checkUnit();
        break;
    case Role::ChoiceList:
        takeChoice();
        break;
    case Role::Name:
        lookUp(watched.row);
        break;
    case Role::Quantity:
        setAmount(watched.row);
        break;
    case Role::Price:
        setAmount(watched.row);
        checkPrice(watched.row);
        break;
    case Role::Expiry:
        checkExpiry(watched.row);
        break;
    }
}

void EntryWindow::fillUnitList()
{
    m_opened = true;
    m_unitBox->clear();
    const QStringList fields = m_units->fields();
    const qsizetype nameField = fields.indexOf(u"单位名称"_s);
    const QList<QStringList> units = m_units->isOpen() ? m_units->allRecords() : QList<QStringList>();
    for (const QStringList& unit : units)
        m_unitBox->addItem(nameField >= 0 ? unit.value(nameField) : QString());
    // adding selects the first unit; the clerk must pick one
    m_unitBox->setCurrentIndex(-1);
    users::logAction(m_variant.openingLog);
    if (!m_units->isOpen())
        platform::inform(databaseError);
    else if (units.isEmpty())
        platform::inform(u"单位档案为空，请先建立新单位档案!"_s);
}

void EntryWindow::checkUnit()
{
    if (const QWidget* main = platform::topLevelWindow(u"main"_s); main && main->isMinimized())
        return;
    const QString unit = m_unitBox->currentText();
    if (m_unitBox->currentIndex() < 0 || unit.isEmpty()) {
        platform::inform(chooseUnit);
        m_unitBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_unitTable->setRecordSource(unit)) {
        platform::inform(databaseError);
        m_unitBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    // without the index the line is only slower
    prepareLastSales(m_database, unit);
}

void EntryWindow::lookUp(int r)
{
    Line row = rowTexts(r);
    // the row holds the very medicine taken from the find list; looking its name up could pick another of that name
    if (m_findList->holdsTaken(r, row.name))
        return;
    const Lookup lookup = LookupMedicine(*m_catalogue, row.name);
    if (lookup.outcome == Lookup::Outcome::TooShort) {
        emptyRowBesideName(row);
        showRow(r, row);
        m_filledNames[static_cast<size_t>(r - 1)].clear();
        showLastSale(r);
        return;
    }
    m_choiceList->clear();
    if (m_choicePurchasePrices)
        m_choicePurchasePrices->clear();
    m_choices.clear();
    if (lookup.outcome == Lookup::Outcome::NotFound) {
        m_filledNames[static_cast<size_t>(r - 1)].clear();
        m_lastSale->clear();
        platform::inform(u"无此药品,请重新输入药品名!"_s);
        rowControls(r).name->setFocus(Qt::OtherFocusReason);
        hideChoices();
        m_findList->openFor(r);
        return;
    }

    const store::Medicine& found = lookup.matches.first();
    fillRow(row, found, m_variant.purchasePrices, false);
    showRow(r, row);
    m_filledNames[static_cast<size_t>(r - 1)] = lookup.byCode && lookup.matches.size() == 1 ? found.name : row.name;
    m_choices = lookup.matches;
    for (const store::Medicine& medicine : lookup.matches) {
        m_choiceList->addItem(ChoiceLine(medicine));
        if (m_choicePurchasePrices)
            m_choicePurchasePrices->addItem(medicine.purchasePrice);
    }
    if (lookup.matches.size() == 1) {
        hideChoices();
        if (lookup.byCode)
            rowControls(r).name->setText(found.name);
        showLastSale(r);
        return;
    }
    m_choiceRow->setText(QString::number(r));
    m_choiceFrame->show();
    m_choiceFrame->raise();
    m_choiceList->setFocus(Qt::OtherFocusReason);
    m_choiceList->setCurrentRow(0);
}

void EntryWindow::takeChoice()
{
    const int k = m_choiceRow->text().toInt();
    const int chosen = m_choiceList->currentRow();
    if (k < 1 || k > rowsPerPage || chosen < 0 || chosen >= m_choices.size())
        return;
    Line row = rowTexts(k);
    fillRow(row, m_choices.at(chosen), m_variant.purchasePrices, true);
    showRow(k, row);
    m_filledNames[static_cast<size_t>(k - 1)] = row.name;
    setAmount(k);
    showLastSale(k);
}

void EntryWindow::takeFound(int r, const store::Medicine& medicine)
{
    Line row = rowTexts(r);
    fillRow(row, medicine, m_variant.purchasePrices, true);
    showRow(r, row);
    m_filledNames[static_cast<size_t>(r - 1)] = row.name;
    setAmount(r);
    showLastSale(r);
    rowControls(r).quantity->setFocus(Qt::TabFocusReason);
}

void EntryWindow::hideChoices()
{
    m_choiceFrame->hide();
}

void EntryWindow::setAmount(int r)
{
    const RowControls& row = rowControls(r);
    if (const auto amount = lineAmount(row.quantity->text(), row.price->text()))
        row.amount->setText(*amount);
}

void EntryWindow::checkPrice(int r)
{
    const RowControls& row = rowControls(r);
    if (!m_variant.purchasePrices || !row.purchasePrice)
        return;
    const QString purchasePrice = row.purchasePrice->text();
    if (!isBelowPurchasePrice(purchasePrice, row.price->text()))
        return;
    const bool change = platform::confirmYesNo(belowPurchasePriceQuestion(purchasePrice));
    if (change)
        row.price->setFocus(Qt::OtherFocusReason);
}

void EntryWindow::checkExpiry(int r)
{
    QLineEdit* expiry = rowControls(r).expiry;
    const QString question = expiryWarning(m_database, expiry->text(), platform::clock().today());
    if (question.isEmpty())
        return;
    if (platform::confirmYesNo(question))
        expiry->setFocus(Qt::OtherFocusReason);
}

void EntryWindow::showLastSale(int r)
{
    const QString unit = chosenUnit();
    const QString medicine = rowControls(r).name->text();
    // only a row filled from the catalogue, and not typed over since, names a medicine
    if (unit.isEmpty() || medicine.isEmpty() || medicine != m_filledNames[static_cast<size_t>(r - 1)]) {
        m_lastSale->clear();
        return;
    }
    m_lastSale->setText(lastSaleText(lastSale(m_database, unit, medicine)));
}

void EntryWindow::refreshSaleSoFar()
{
    // a finished sale is in the working set and still on the page; the line keeps what it showed before the finish
    if (m_ending)
        return;
    m_saleSoFar->setText(saleSoFarText(saleSoFar(workingSet(), rows())));
}

void EntryWindow::refreshTotals()
{
    const RunningTotals totals = RefreshTotals(workingSet());
    m_runningTotal->setText(totals.total);
    if (totals.lastLineInUse > 0)
        m_lastLine->setText(QString::number(totals.lastLineInUse));
}

QString EntryWindow::chosenUnit() const
{
    return m_unitBox->currentIndex() < 0 ? QString() : m_unitBox->currentText();
}

void EntryWindow::saveFile()
{
    const SaveOutcome outcome = SaveTransactionFile(workingSet(), chosenUnit(), rows(), platform::dataFolder());
    if (outcome != SaveOutcome::Saved)
        platform::inform(saveMessage(outcome));
}

void EntryWindow::readFile()
{
    m_runningTotal->setText(u"0"_s);
    if (!ReadTransactionFile(workingSet(), chosenUnit(), platform::dataFolder())) {
        platform::inform(QString::fromUtf16(entryReadFailed));
        return;
    }
    // a file may name a unit the register no longer lists; the box shows it all the same
    const QString unit = workingSet().CustomerUnit;
    if (m_unitBox->findText(unit) < 0)
        m_unitBox->addItem(unit);
    m_unitBox->setCurrentIndex(m_unitBox->findText(unit));
    refreshTotals();
    emit saleNotices().linesChanged();
}

void EntryWindow::continueEntry()
{
    const StoreOutcome stored = StorePage(workingSet(), rows(), purchasePricesOf(m_variant));
    // rows that found no line stay on the page, so nothing typed disappears unstored
    for (int r = 1; r <= stored.stored; ++r) {
        showRow(r, Line {});
        m_filledNames[static_cast<size_t>(r - 1)].clear();
    }
    m_lastSale->clear();
    rowControls(1).name->setFocus(Qt::OtherFocusReason);
    refreshTotals();
    emit saleNotices().linesChanged();
    if (stored.firstRefusedRow > 0)
        platform::inform(refusedRowsMessage(stored.firstRefusedRow));
}

void EntryWindow::finish()
{
    m_ending = true;
    setEnabled(false);
    FinishRequest request;
    request.rows = rows();
    request.unit = chosenUnit();
    request.purchasePrices = purchasePricesOf(m_variant);
    request.appendsLines = m_variant.appendsLines;
    request.storedFlag = m_variant.storedFlag;
    request.saleDate = platform::clock().today();
    const FinishResult result = finishSale(m_database, workingSet(), request);
    if (!result.succeeded()) {
        platform::inform(finishProblemMessage(result.problem));
        m_ending = false;
        setEnabled(true);
        if (result.problem == FinishResult::Problem::NoUnit
            || result.problem == FinishResult::Problem::UnitTableMissing)
            m_unitBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_serialHolder->setText(workingSet().SerialText);
    emit saleNotices().finished(finishedSaleText(workingSet(), m_variant.storedFlag));
    users::logAction(m_variant.finishingLog.arg(request.unit));
    if (result.firstRefusedRow > 0)
        platform::inform(refusedRowsMessage(result.firstRefusedRow));
    m_closingTimer->start(platform::timing().closeAfterFinish);
}

void EntryWindow::closeAfterFinish()
{
    close();
    if (QWidget* main = platform::topLevelWindow(u"main"_s)) {
        main->activateWindow();
        main->setFocus();
    }
}

void EntryWindow::cancel()
{
    const bool cancelled = platform::confirmOkCancel(u"真的要取消本次交易吗?"_s);
    if (!cancelled)
        return;
    workingSet().ClearLines();
    emit saleNotices().linesChanged();
    // the page goes with the window: the sale now holds nothing
    m_saleSoFar->setText(saleSoFarText({}));
    users::logAction(m_variant.cancellingLog);
    close();
}

void EntryWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_opened && !m_openingTimer->isActive())
        m_openingTimer->start(platform::timing().opening);
}

void EntryWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // the main window's clear and read and the review's corrections change the sale while another window has the
    // keyboard; coming back, the clerk sees what it now holds
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshSaleSoFar();
}

void EntryWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    // no box handler runs while the window goes, and a later opening makes a new window
    m_ending = true;
    setObjectName(QString());
}

} // namespace transaction
