#include "transaction/find_list_window.h"

#include <QAbstractTableModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace transaction {

namespace {

struct Column
{
    const char16_t* heading;
    QString store::Medicine::*field;
    int width;
};

// The entry window's headings for the same fields.
const Column columns[] = {
    { u"药品名称", &store::Medicine::name, 200 }, { u"药品制造商", &store::Medicine::maker, 180 },
    { u"规 格", &store::Medicine::spec, 100 },    { u"单位", &store::Medicine::unit, 50 },
    { u"单价", &store::Medicine::unitPrice, 70 },
};
constexpr int columnTotal = int(std::size(columns));
constexpr int shownEntries = 10;

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool isPlain(const QKeyEvent* key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

/** The entries of the list: the medicines the finder found, best first. */
class FoundMedicines final : public QAbstractTableModel
{
public:
    explicit FoundMedicines(QObject* parent) : QAbstractTableModel(parent) { }

    void show(const MedicineFinder& finder, const QList<qsizetype>& found)
    {
        beginResetModel();
        m_finder = &finder;
        m_found = found;
        endResetModel();
    }
    qsizetype place(int entry) const { return m_found.at(entry); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_found.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columnTotal; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || !m_finder || index.row() >= m_found.size())
            return {};
        if (role == Qt::DisplayRole)
            return m_finder->medicine(m_found.at(index.row())).*columns[index.column()].field;
        if (role == Qt::TextAlignmentRole && columns[index.column()].field == &store::Medicine::unitPrice)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnTotal)
            return QString::fromUtf16(columns[section].heading);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    const MedicineFinder* m_finder = nullptr;
    QList<qsizetype> m_found;
};

FindListWindow::FindListWindow(store::BoundRecordset& catalogue, QWidget* owner)
    // a tooltip window is never activated, so the keyboard stays in the name box
    : QFrame(owner, Qt::ToolTip | Qt::FramelessWindowHint)
    , m_catalogue(catalogue)
    , m_found(new FoundMedicines(this))
    , m_view(new QTreeView(this))
{
    setObjectName(u"FindList"_s);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameShape(QFrame::Box);
    m_view->setObjectName(u"FindView"_s);
    m_view->setModel(m_found);
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setItemsExpandable(false);
    m_view->setAllColumnsShowFocus(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->header()->setSectionsMovable(false);
    m_view->header()->setStretchLastSection(false);
    int width = 0;
    for (int c = 0; c < columnTotal; ++c) {
        m_view->setColumnWidth(c, columns[c].width);
        width += columns[c].width;
    }
    connect(m_view, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) { takeEntry(index.row()); });
    // a list left behind where its box no longer is would belong to nothing
    owner->window()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_view);
    const int rowHeight = m_view->fontMetrics().height() + 6;
    resize(width + m_view->verticalScrollBar()->sizeHint().width() + 6,
           m_view->header()->sizeHint().height() + shownEntries * rowHeight + 6);
}

FindListWindow::~FindListWindow() = default;

void FindListWindow::attach(QLineEdit* nameBox, int row)
{
    m_rows.insert(nameBox, row);
    nameBox->installEventFilter(this);
    connect(nameBox, &QLineEdit::textChanged, this, [this, nameBox, row](const QString& text) {
        if (const auto taken = m_taken.constFind(row); taken != m_taken.cend() && *taken != text)
            m_taken.erase(taken);
        if (m_box == nameBox)
            refill();
    });
    connect(nameBox, &QObject::destroyed, this, [this, nameBox] {
        m_rows.remove(nameBox);
        if (m_box == nameBox) {
            m_box = nullptr;
            hide();
        }
    });
}

void FindListWindow::openFor(int row)
{
    QLineEdit* box = qobject_cast<QLineEdit*>(m_rows.key(row));
    if (!box || !box->isVisible())
        return;
    m_box = box;
    m_row = row;
    m_textBefore = box->text();
    // records added to the catalogue meanwhile are found
    m_finder.load(m_catalogue);
    refill();
    placeUnder(box);
    show();
    raise();
}

bool FindListWindow::holdsTaken(int row, const QString& name) const
{
    const auto taken = m_taken.constFind(row);
    return taken != m_taken.cend() && *taken == name;
}

bool FindListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget()->window()) {
        if (isOpen()
            && (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Hide
                || event->type() == QEvent::WindowDeactivate))
            closeList(false);
        return QFrame::eventFilter(watched, event);
    }
    if (!m_rows.contains(watched))
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // no shortcut of the window takes a key the list needs
        if (ownsKey(watched, static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        return keyPressed(watched, static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut:
        if (watched == m_box)
            closeList(false);
        break;
    default:
        break;
    }
    return false;
}

bool FindListWindow::ownsKey(QObject* box, const QKeyEvent* key) const
{
    if (!isPlain(key))
        return false;
    if (key->key() == Qt::Key_F2)
        return true;
    if (box != m_box)
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
        return true;
    default:
        return isEnter(key);
    }
}

bool FindListWindow::keyPressed(QObject* box, QKeyEvent* key)
{
    if (!ownsKey(box, key))
        return false;
    switch (key->key()) {
    case Qt::Key_F2:
        if (box != m_box)
            openFor(m_rows.value(box));
        return true;
    case Qt::Key_Up:
        step(-1);
        return true;
    case Qt::Key_Down:
        step(1);
        return true;
    case Qt::Key_PageUp:
        step(-(shownEntries - 1));
        return true;
    case Qt::Key_PageDown:
        step(shownEntries - 1);
        return true;
    case Qt::Key_Escape:
        closeList(true);
        return true;
    default:
        break;
    }
    // Enter
    const int entry = m_view->currentIndex().row();
    if (entry < 0) {
        // nothing to take: Enter goes on as it does without the list
        closeList(false);
        return false;
    }
    takeEntry(entry);
    return true;
}

void FindListWindow::refill()
{
    m_found->show(m_finder, m_finder.find(m_box->text()));
    if (m_found->rowCount() > 0)
        m_view->setCurrentIndex(m_found->index(0, 0));
    m_view->scrollToTop();
}

void FindListWindow::placeUnder(const QLineEdit* box)
{
    QPoint at = box->mapToGlobal(QPoint(0, box->height()));
    if (const QScreen* screen = box->screen()) {
        const QRect room = screen->availableGeometry();
        // above the box when there is no room below it
        if (at.y() + height() > room.bottom() + 1)
            at.setY(box->mapToGlobal(QPoint(0, 0)).y() - height());
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - width())));
        at.setY(std::max(at.y(), room.top()));
    }
    QWidget::move(at);
}

void FindListWindow::step(int steps)
{
    const int count = m_found->rowCount();
    if (count == 0)
        return;
    const int entry = std::clamp(m_view->currentIndex().row() + steps, 0, count - 1);
    m_view->setCurrentIndex(m_found->index(entry, 0));
    m_view->scrollTo(m_view->currentIndex());
}

void FindListWindow::takeEntry(int entry)
{
    if (!m_box || entry < 0 || entry >= m_found->rowCount())
        return;
    const store::Medicine medicine = m_finder.medicine(m_found->place(entry));
    const int row = m_row;
    closeList(false);
    // before the row is filled, so the name the filling puts in the box is known as the taken one
    m_taken.insert(row, medicine.name);
    emit taken(row, medicine);
}

void FindListWindow::closeList(bool restoreText)
{
    QLineEdit* box = m_box;
    m_box = nullptr;
    hide();
    if (restoreText && box)
        box->setText(m_textBefore);
}

} // namespace transaction
