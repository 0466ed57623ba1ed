#include "shell/main_window.h"

#include "platform/database_choice.h"
#include "platform/screen_fit.h"
#include "platform/server_url.h"
#include "platform/timing.h"
#include "platform/top_level_windows.h"
#include "platform/twips.h"
#include "shell/guarded_step.h"
#include "shell/letterhead.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_menu.h"
#include "shell/quit_window.h"
#include "shell/toolbar_strip.h"
#include "store/bound_recordset.h"
#include "transaction/sale_notices.h"
#include "transaction/working_set.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

/** Shows a field of a data source's current record, as a bound label does. */
void bindLabel(QLabel* label, store::BoundRecordset* source, const QString& field)
{
    const auto show = [label, source, field] {
        label->setText(source->value(field).value_or(QString()));
    };
    QObject::connect(source, &store::BoundRecordset::currentChanged, label, show);
    show();
}

// The windows a minimized main window takes out of sight with it.
const QString windowsHiddenWhenMinimized[] = { u"dwtj1"_s, u"xdjy1"_s, u"xdjy"_s, u"yptj1"_s };

} // namespace

MainWindow::MainWindow(platform::Database& database, QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_database(database)
    , m_letterheadRecords(new store::BoundRecordset(database, u"抬头"_s, this))
    , m_serialRecords(new store::BoundRecordset(database, u"流水号"_s, this))
    , m_titleTimer(new QTimer(this))
{
    setObjectName(u"main"_s);
    setWindowTitle(u"Quenvale"_s);
    transaction::workingSet().StoredFlag = true;
    m_letterheadRecords->setObjectName(u"Data1"_s);
    m_serialRecords->setObjectName(u"Data2"_s);

    buildClientArea();
    for (QAction* action : buildMainMenu(*menuBar()))
        connect(action, &QAction::triggered, this, [this, name = action->objectName()] { runCommand(name); });
    setFixedSize(fixedSize);

    m_titleTimer->setObjectName(u"Timer2"_s);
    m_titleTimer->setSingleShot(true);
    connect(m_titleTimer, &QTimer::timeout, this, &MainWindow::showTitle);

    const auto closeWindow = [this] {
        close();
    };
    setCommand(u"exit"_s, closeWindow);
    setCommand(u"Image11"_s, closeWindow);
    move(platform::placeOnScreen(*this, fixedPlace));
}

MainWindow::~MainWindow() = default;

void MainWindow::buildClientArea()
{
    auto* client = new QWidget(this);

    m_letterheadLabel = new QLabel(client);
    m_letterheadLabel->setObjectName(u"Label3"_s);
    m_letterheadLabel->hide();
    bindLabel(m_letterheadLabel, m_letterheadRecords, u"抬头"_s);
    m_serialLabel = new QLabel(client);
    m_serialLabel->setObjectName(u"Label4"_s);
    m_serialLabel->hide();
    bindLabel(m_serialLabel, m_serialRecords, u"流水号"_s);

    auto* toolbar = new ToolbarStrip(client);
    connect(toolbar, &ToolbarStrip::imageClicked, this, &MainWindow::runCommand);

    auto* frame = new QFrame(client);
    frame->setObjectName(u"Frame1"_s);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    platform::place(frame, 120, 840, 11655, 6375);

    auto* banner = new QLabel(u"欢迎您使用Quenvale!  祝您今天取得更好业绩！"_s, client);
    banner->setObjectName(u"Label5"_s);
    platform::place(banner, 105, 7320, 11610, 240);
    banner->setAutoFillBackground(true);
    QPalette colours = banner->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Highlight));
    colours.setColor(QPalette::WindowText, QColor(255, 255, 0));
    banner->setPalette(colours);

    setCentralWidget(client);

    // The status line: below the banner, in the room the client area has left there.
    auto* saleStatus = new QLabel(client);
    saleStatus->setObjectName(u"saleStatus"_s);
    platform::place(saleStatus, 120, 7620, 11610, 270);
    connect(&transaction::saleNotices(), &transaction::SaleNotices::finished, saleStatus, &QLabel::setText);
    connect(&transaction::saleNotices(), &transaction::SaleNotices::started, saleStatus, &QLabel::clear);
}

void MainWindow::setCommand(const QString& name, std::function<void()> handler)
{
    m_commands.insert(name, std::move(handler));
}

void MainWindow::runCommand(const QString& name)
{
    // a copy: the handler may replace itself
    const std::function<void()> handler = m_commands.value(name);
    if (handler)
        handler();
}

QAction* MainWindow::menuEntry(const QString& name) const
{
    return menuBar()->findChild<QAction*>(name);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // shown again after being minimized or hidden, the title must not take the letterhead twice
    if (!m_titleShown && !m_titleTimer->isActive())
        m_titleTimer->start(platform::timing().opening);
}

void MainWindow::showTitle()
{
    m_titleShown = true;
    const QString letterhead = m_letterheadLabel->text();
    // A desk on a shared server says which one; a single desk's title stays the letterhead and the name alone.
    const QString server
        = platform::isServerUrl(platform::databaseLocation()) ? u" - "_s + platform::shownDatabaseName() : QString();
    setWindowTitle(letterhead + windowTitle() + server);
    setLetterhead(letterhead);
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    keepInPlace();
}

void MainWindow::keepInPlace()
{
    if (isMinimized())
        return;
    const QPoint place = platform::placeOnScreen(*this, fixedPlace);
    if (pos() != place)
        move(place);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    keepSize();
}

void MainWindow::keepSize()
{
    if (isMinimized())
        return;
    // The size limits given to the window system are only hints: a window manager may still force another size, or
    // maximize the window although it offers no button for that.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        return;
    }
    if (size() != fixedSize)
        resize(fixedSize);
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized()) {
        hideEntryWindows();
    } else {
        keepSize();
        keepInPlace();
    }
}

void MainWindow::hideEntryWindows()
{
    for (const QString& name : windowsHiddenWhenMinimized) {
        if (QWidget* window = platform::topLevelWindow(name))
            window->hide();
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The window stays, disabled, behind the quit notice until the program ends. The user cannot close it while it
    // is disabled (during the sign-in or while another window has it); the program still can.
    event->ignore();
    if (m_quitting || (event->spontaneous() && !isEnabled()))
        return;
    shutDown();
}

void MainWindow::shutDown()
{
    m_quitting = true;
    runGuarded(lifecycleHooks().unloadEntryWindows);
    runGuarded(lifecycleHooks().logExit);
    setEnabled(false);
    // a window of its own: as a child it would be disabled with this one
    m_quitWindow = std::make_unique<QuitWindow>();
    m_quitWindow->move(frameGeometry().center() - m_quitWindow->rect().center());
    m_quitWindow->show();
}

} // namespace shell
