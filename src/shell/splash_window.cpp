#include "shell/splash_window.h"

#include "platform/timing.h"
#include "shell/splash_picture.h"

#include <QPainter>
#include <QScreen>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace shell {

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), m_timer(new QTimer(this))
{
    setObjectName(u"index"_s);
    setFixedSize(480, 300);
    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::elapsed);
}

void SplashWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    move(screen()->availableGeometry().center() - rect().center());
    m_timer->start(platform::timing().splash);
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintSplashPicture(painter, rect());
}

} // namespace shell
