#include "users/account_window.h"

#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "platform/timing.h"
#include "store/bound_recordset.h"
#include "users/activity_log.h"

#include <QAbstractButton>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace users {

AccountWindow::AccountWindow(const QString& name, const QString& title, Opening openingStep)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(name);
    setWindowTitle(title);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    auto* heading = new QLabel(title, frame);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);

    auto* content = new QVBoxLayout(frame);
    content->setContentsMargins(24, 16, 24, 16);
    content->setSpacing(14);
    content->addWidget(heading);
    m_rows = new QGridLayout;
    m_rows->setHorizontalSpacing(8);
    m_rows->setVerticalSpacing(10);
    content->addLayout(m_rows);
    m_buttons = new QHBoxLayout;
    m_buttons->setSpacing(24);
    content->addLayout(m_buttons);

    if (openingStep == Opening::Timer) {
        m_openingTimer = new QTimer(this);
        m_openingTimer->setObjectName(u"Timer1"_s);
        m_openingTimer->setSingleShot(true);
        connect(m_openingTimer, &QTimer::timeout, this, [this] { opening(); });
    }
}

void AccountWindow::addRow(const QString& caption, QWidget* box)
{
    const int row = m_rows->rowCount();
    m_rows->addWidget(new QLabel(caption), row, 0, Qt::AlignRight);
    box->setMinimumWidth(150);
    m_rows->addWidget(box, row, 1);
}

void AccountWindow::addButtons(QAbstractButton* confirming, QAbstractButton* cancelling)
{
    m_buttons->addStretch();
    m_buttons->addWidget(confirming);
    m_buttons->addWidget(cancelling);
    m_buttons->addStretch();
    platform::pressOnEscape(cancelling);
}

void AccountWindow::addBoundLabel(const QString& name, store::BoundRecordset* source, const QString& field)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->hide();
    const auto show = [label, source, field] {
        label->setText(source->value(field).value_or(QString()));
    };
    connect(source, &store::BoundRecordset::currentChanged, label, show);
    show();
}

void AccountWindow::apply(const AccountReply& reply)
{
    if (reply.refill)
        opening();
    if (!reply.message.isEmpty())
        platform::inform(reply.message, reply.title);
    if (auto* cleared = qobject_cast<QLineEdit*>(box(reply.cleared)))
        cleared->clear();
    if (QWidget* focused = box(reply.focus))
        focused->setFocus(Qt::OtherFocusReason);
    if (!reply.logEntry.isEmpty())
        AddLogEntry(reply.logEntry);
    switch (reply.then) {
    case AccountReply::Then::StayOpen:
        break;
    case AccountReply::Then::Close:
        close();
        break;
    case AccountReply::Then::EndRun:
        close();
        emit runEnded();
        break;
    }
}

void AccountWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    if (m_openingTimer)
        m_openingTimer->start(platform::timing().opening);
    else
        opening();
}

} // namespace users
