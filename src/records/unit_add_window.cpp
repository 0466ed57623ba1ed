#include "records/unit_add_window.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "records/unit_records.h"
#include "store/bound_recordset.h"
#include "users/current_user.h"
#include "users/log_wording.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace records {

namespace {

FormControls addForm()
{
    return { u"addnewcom"_s, u"增加单位档案"_s, unitBoxes(u"Text7"_s), u"确  定"_s, u"取  消"_s };
}

} // namespace

UnitAddWindow::UnitAddWindow(platform::Database& database)
    : RecordForm(addForm())
    , m_database(database)
    , m_units(new store::BoundRecordset(database, unitTable(), this))
    , m_addedBy(new QLabel(this))
{
    m_units->setObjectName(u"Data1"_s);
    m_addedBy->setObjectName(u"Label9"_s);
    m_addedBy->hide();
}

void UnitAddWindow::opened()
{
    m_units->addNew();
    users::logAction(u"进入增加单位页面。"_s);
}

void UnitAddWindow::confirm()
{
    const Unit unit { .name = text(u"Text1"_s),
                      .person = text(u"Text2"_s),
                      .address = text(u"Text3"_s),
                      .phone = text(u"Text4"_s),
                      .fax = text(u"Text5"_s),
                      .postcode = text(u"Text6"_s),
                      .credit = text(u"Text7"_s) };
    m_addedBy->setText(users::CurrentUser());
    if (addPendingUnit(m_database, *m_units, unit, users::CurrentUser(), platform::clock().today())) {
        platform::inform(u"增加单位资料成功!"_s);
        users::logAction(u"增加"_s + unit.name + u"单位,成功。"_s);
    } else {
        platform::inform(u"增加单位资料失败!"_s);
        users::logAction(u"增加"_s + unit.name + u"单位,失败。"_s);
    }
    finish();
}

void UnitAddWindow::leaving()
{
    m_units->cancelUpdate();
    users::logAction(u"退出增加单位页面"_s);
}

} // namespace records
