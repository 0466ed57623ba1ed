#include "shell/quit_window.h"

#include "platform/launcher.h"
#include "platform/timing.h"
#include "shell/guarded_step.h"
#include "shell/lifecycle_hooks.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace shell {

QuitWindow::QuitWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_timer(new QTimer(this))
{
    setObjectName(u"quitform"_s);
    setFixedSize(330, 84);

    auto* frame = new QFrame(this);
    frame->setObjectName(u"Frame1"_s);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    auto* label = new QLabel(u"正在保存数据，请稍候....."_s, frame);
    label->setObjectName(u"Label1"_s);
    label->setAlignment(Qt::AlignCenter);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(label);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(frame);

    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &QuitWindow::finish);
}

void QuitWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
    if (!m_timer->isActive())
        m_timer->start(platform::timing().finalSave);
}

void QuitWindow::finish()
{
    runGuarded(lifecycleHooks().finalSave);
    close();
    platform::launcher().endProgram(0);
}

} // namespace shell
