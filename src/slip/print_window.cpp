#include "slip/print_window.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/page_sink.h"
#include "platform/timing.h"
#include "platform/twips.h"
#include "shell/letterhead.h"
#include "slip/print_run.h"
#include "slip/slip_painting.h"
#include "transaction/working_set.h"
#include "users/current_user.h"

#include <QPainter>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace slip {

PrintWindow::PrintWindow(const SlipLayout& layout, QWidget* parent)
    : QWidget(parent, Qt::Window), m_layout(layout), m_timer(new QTimer(this)), m_page(slipPicture(layout, {}))
{
    setObjectName(layout.windowName);
    setWindowTitle(u"打印中......"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(platform::pixels(layout.width), platform::pixels(layout.height));
    QPalette paper = palette();
    paper.setColor(QPalette::Window, Qt::white);
    setPalette(paper);
    setAutoFillBackground(true);

    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setSingleShot(true);
    m_timer->setInterval(platform::timing().slipPrint);
    connect(m_timer, &QTimer::timeout, this, &PrintWindow::run);
}

void PrintWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_ran && !m_timer->isActive())
        m_timer->start();
}

void PrintWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(1.0 / platform::twipsPerPixel, 1.0 / platform::twipsPerPixel);
    painter.drawPicture(0, 0, m_page);
}

void PrintWindow::run()
{
    m_ran = true;
    const QList<SlipPage> pages
        = composeSlip(transaction::workingSet(), shell::Letterhead(), users::CurrentUser(), platform::clock().today());
    // the run holds the event loop, so each page is painted at once rather than when the loop comes back
    const PrintOutcome outcome = printSlip(pages, m_layout, platform::pageSink(), [this](const QPicture& page) {
        m_page = page;
        repaint();
    });
    close();
    const QString message = outcomeMessage(outcome);
    if (!message.isEmpty())
        platform::inform(message);
}

} // namespace slip
