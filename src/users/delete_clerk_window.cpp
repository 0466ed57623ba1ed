#include "users/delete_clerk_window.h"

#include "platform/dialogs.h"
#include "store/bound_recordset.h"
#include "users/account_lookup.h"
#include "users/activity_log.h"
#include "users/clerk_changes.h"

#include <QComboBox>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace users {

DeleteClerkWindow::DeleteClerkWindow(platform::Database& database)
    : AccountWindow(u"制单员"_s, u"删除制单员"_s, Opening::Timer)
    , m_accounts(new store::BoundRecordset(database, u"user"_s, this))
    , m_names(new QComboBox)
{
    m_accounts->setObjectName(u"Data2"_s);
    addBoundLabel(u"Label4"_s, m_accounts, u"username"_s);

    m_names->setObjectName(u"text1"_s);
    m_names->setEditable(true);
    m_names->setInsertPolicy(QComboBox::NoInsert);
    addRow(u"选择用户名:"_s, m_names);

    auto* deleteButton = new QPushButton(u"删除"_s);
    deleteButton->setObjectName(u"Command1"_s);
    auto* returnButton = new QPushButton(u"返回"_s);
    returnButton->setObjectName(u"Command2"_s);
    addButtons(deleteButton, returnButton);
    connect(deleteButton, &QPushButton::clicked, this, &DeleteClerkWindow::deleteChosen);
    connect(returnButton, &QPushButton::clicked, this, &DeleteClerkWindow::leave);
}

QWidget* DeleteClerkWindow::box(AccountBox which) const
{
    return which == AccountBox::UserName ? m_names : nullptr;
}

void DeleteClerkWindow::opening()
{
    m_names->clear();
    m_names->addItems(clerkNames(*m_accounts));
    // nothing chosen until the user picks or types a name
    m_names->setCurrentIndex(-1);
    m_names->setFocus(Qt::OtherFocusReason);
    AddLogEntry(deleteClerkOpeningEntry());
}

void DeleteClerkWindow::deleteChosen()
{
    const auto ask = [](const QString& text, const QString& title) {
        return platform::confirmOkCancel(text, title);
    };
    apply(deleteClerk(*m_accounts, m_names->currentText(), ask));
}

void DeleteClerkWindow::leave()
{
    AddLogEntry(deleteClerkReturnEntry());
    close();
}

} // namespace users
