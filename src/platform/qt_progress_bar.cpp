#include "platform/qt_progress_bar.h"

#include <QApplication>
#include <QProgressDialog>

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

// The bar shows once the work looks like taking longer than this.
constexpr int showAfterMs = 500;
// Events are handled this often: enough to paint and to see the cancel button, little enough to cost nothing.
constexpr qint64 eventsEveryMs = 40;
// QProgressDialog counts in int; long work is shown in this many steps.
constexpr int barSteps = 1000;

} // namespace

QtProgressBar::~QtProgressBar()
{
    delete m_dialog;
}

void QtProgressBar::begin(const QString& label, qint64 total)
{
    delete m_dialog;
    m_total = total;
    m_dialog = new QProgressDialog(label, u"取消"_s, 0, total > 0 ? barSteps : 0, QApplication::activeWindow());
    m_dialog->setWindowTitle(u"Quenvale"_s);
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(showAfterMs);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_sinceEvents.start();
    m_started.start();
}

bool QtProgressBar::advance(qint64 done)
{
    if (!m_dialog)
        return true;
    if (m_sinceEvents.elapsed() >= eventsEveryMs) {
        m_sinceEvents.restart();
        if (!m_dialog->isVisible() && m_started.elapsed() >= showAfterMs)
            m_dialog->show();
        // Events only while the modal bar is up: before it, a click could start other work in the middle of this.
        if (m_dialog->isVisible()) {
            if (m_total > 0)
                m_dialog->setValue(int(qMin<qint64>(barSteps - 1, done * barSteps / m_total)));
            QApplication::processEvents();
        }
    }
    return !m_dialog->wasCanceled();
}

void QtProgressBar::end()
{
    delete m_dialog;
}

} // namespace platform
