#include "users/sign_in_window.h"

#include "platform/accessible_names.h"
#include "platform/dialogs.h"
#include "platform/input_boxes.h"
#include "platform/launcher.h"
#include "platform/timing.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace users {

SignInWindow::SignInWindow(platform::Database& database)
    : QWidget(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , m_signIn(database)
    , m_userName(new QComboBox(this))
    , m_password(new QLineEdit(this))
    , m_signInButton(new QPushButton(u"确定"_s, this))
    , m_exitButton(new QPushButton(u"退出"_s, this))
    , m_fillTimer(new QTimer(this))
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"系统登陆"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(platform::pixels(4440), platform::pixels(2400));

    auto* nameLabel = new QLabel(u"用户名:"_s, this);
    nameLabel->setObjectName(u"Label1"_s);
    platform::place(nameLabel, 480, 420, 960, 300);
    m_userName->setObjectName(u"text1"_s);
    m_userName->setEditable(true);
    // the typed name is never added to the list of accounts
    m_userName->setInsertPolicy(QComboBox::NoInsert);
    m_userName->setEditText(u"Orsvan"_s);
    platform::place(m_userName, 1440, 360, 2400, 360);
    platform::captionBox(nameLabel, m_userName);

    auto* passwordLabel = new QLabel(u"密  码:"_s, this);
    passwordLabel->setObjectName(u"Label2"_s);
    platform::place(passwordLabel, 480, 1020, 960, 300);
    m_password->setObjectName(u"Text2"_s);
    platform::makePasswordBox(m_password);
    platform::place(m_password, 1440, 960, 2400, 360);
    platform::captionBox(passwordLabel, m_password);

    m_signInButton->setObjectName(u"Command1"_s);
    platform::place(m_signInButton, 840, 1680, 1200, 420);
    m_exitButton->setObjectName(u"Command2"_s);
    platform::place(m_exitButton, 2520, 1680, 1200, 420);

    setTabOrder(m_userName, m_password);
    setTabOrder(m_password, m_signInButton);
    setTabOrder(m_signInButton, m_exitButton);
    platform::moveFocusOnEnter(m_userName->lineEdit(), m_password);
    connect(m_password, &QLineEdit::returnPressed, m_signInButton, &QPushButton::click);
    connect(m_signInButton, &QPushButton::clicked, this, &SignInWindow::attemptSignIn);
    connect(m_exitButton, &QPushButton::clicked, this, [] { platform::launcher().endProgram(0); });

    m_fillTimer->setObjectName(u"Timer1"_s);
    m_fillTimer->setSingleShot(true);
    connect(m_fillTimer, &QTimer::timeout, this, &SignInWindow::fillUserNames);
}

SignInWindow::~SignInWindow() = default;

void SignInWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_filled && !m_fillTimer->isActive())
        m_fillTimer->start(platform::timing().opening);
}

void SignInWindow::fillUserNames()
{
    m_filled = true;
    // Filling an empty list would replace the typed text with the first name.
    const QString typed = m_userName->currentText();
    m_userName->addItems(m_signIn.userNames());
    m_userName->setCurrentIndex(-1);
    m_userName->setEditText(typed);
}

void SignInWindow::attemptSignIn()
{
    const QString userName = m_userName->currentText();
    const SignInOutcome outcome = m_signIn.attempt(userName, m_password->text());
    switch (outcome.kind) {
    case SignInOutcome::Kind::SignedIn:
        m_signedIn = true;
        emit signedIn(userName);
        close();
        return;
    case SignInOutcome::Kind::EndProgram:
        platform::inform(outcome.message);
        platform::launcher().endProgram(0);
        return;
    case SignInOutcome::Kind::Refused:
        break;
    }
    platform::inform(outcome.message);
    if (outcome.clearPassword)
        m_password->clear();
    if (outcome.focus == SignInBox::Password)
        m_password->setFocus(Qt::OtherFocusReason);
    else
        m_userName->setFocus(Qt::OtherFocusReason);
}

void SignInWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    // Without a sign-in the main window stays disabled, so there is nothing left to do but end.
    if (!m_signedIn)
        platform::launcher().endProgram(0);
}

} // namespace users
