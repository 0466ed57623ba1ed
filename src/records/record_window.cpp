#include "records/record_window.h"

#include "platform/timing.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace records {

RecordWindow::RecordWindow(const QString& name, const QString& heading)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_heading(new QLabel(heading, this))
    , m_opening(new QTimer(this))
{
    setObjectName(name);
    setWindowTitle(heading);
    m_heading->setObjectName(u"Label1"_s);
    m_heading->setAlignment(Qt::AlignCenter);
    QFont font = m_heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    m_heading->setFont(font);

    m_opening->setObjectName(u"Timer1"_s);
    m_opening->setSingleShot(true);
    connect(m_opening, &QTimer::timeout, this, [this] {
        if (!m_ended)
            opened();
    });
}

void RecordWindow::finish()
{
    m_ended = true;
    close();
}

void RecordWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_openingStarted) {
        m_openingStarted = true;
        m_opening->start(platform::timing().opening);
    }
}

void RecordWindow::closeEvent(QCloseEvent* event)
{
    if (!m_ended) {
        m_ended = true;
        leaving();
    }
    QWidget::closeEvent(event);
}

} // namespace records
