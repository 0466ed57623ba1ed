#include "maintenance/framed_window.h"

#include "platform/input_boxes.h"
#include "platform/timing.h"
#include "users/log_wording.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace maintenance {

FramedWindow::FramedWindow(const QString& name, const QString& headingName, const QString& heading, WindowLogTexts log)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_openingTimer(new QTimer(this)), m_log(std::move(log))
{
    setObjectName(name);
    setWindowTitle(heading);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    auto* headingLabel = new QLabel(heading, frame);
    headingLabel->setObjectName(headingName);
    QFont headingFont = headingLabel->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    headingFont.setBold(true);
    headingLabel->setFont(headingFont);
    headingLabel->setAlignment(Qt::AlignCenter);

    m_content = new QVBoxLayout(frame);
    m_content->setContentsMargins(24, 16, 24, 16);
    m_content->setSpacing(10);
    m_content->addWidget(headingLabel);

    m_openingTimer->setObjectName(u"Timer1"_s);
    m_openingTimer->setSingleShot(true);
    connect(m_openingTimer, &QTimer::timeout, this, [this] { users::logAction(m_log.opening); });
}

void FramedWindow::addButtons(QAbstractButton* confirming, QAbstractButton* leaving)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(32);
    row->addStretch();
    row->addWidget(confirming);
    row->addWidget(leaving);
    row->addStretch();
    m_content->addSpacing(6);
    m_content->addLayout(row);
    platform::pressOnEscape(leaving);
}

void FramedWindow::leave()
{
    users::logAction(m_log.leaving);
    close();
}

void FramedWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    m_openingTimer->start(platform::timing().opening);
}

} // namespace maintenance
