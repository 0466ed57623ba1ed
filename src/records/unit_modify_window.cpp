#include "records/unit_modify_window.h"

#include "platform/dialogs.h"
#include "records/focus_hooks.h"
#include "store/bound_recordset.h"
#include "users/log_wording.h"

#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace records {

namespace {

FormControls modifyForm()
{
    return { u"modicom"_s, u"客户单位资料修改"_s, unitBoxes(u"Text12"_s), u"修  改"_s, u"取  消"_s };
}

} // namespace

UnitModifyWindow::UnitModifyWindow(platform::Database& database)
    : RecordForm(modifyForm()), m_units(new store::BoundRecordset(database, unitTable(), this)), m_editor(*m_units)
{
    m_units->setObjectName(u"Data1"_s);
    // Enter in the name box moves the focus on, so leaving the box covers both ways of finishing the name.
    onFocusLeaving(box(u"Text1"_s), [this] { lookUp(); });
    users::logAction(u"进入修改单位资料系统。"_s);
}

void UnitModifyWindow::lookUp()
{
    if (m_nameUsed)
        return;
    m_nameUsed = true;
    QLineEdit* nameBox = box(u"Text1"_s);
    if (nameBox->hasFocus())
        box(u"Text2"_s)->setFocus();
    nameBox->setEnabled(false);
    const QString name = nameBox->text();
    if (name.isEmpty())
        return;
    if (!m_editor.lookUp(name)) {
        platform::inform(u"无此单位,请检查输入是否正确!"_s);
        return;
    }
    const Unit unit = m_editor.unit();
    setText(u"Text2"_s, unit.person);
    setText(u"Text3"_s, unit.address);
    setText(u"Text4"_s, unit.phone);
    setText(u"Text5"_s, unit.fax);
    setText(u"Text6"_s, unit.postcode);
    setText(u"Text12"_s, unit.credit);
}

void UnitModifyWindow::confirm()
{
    const Unit details { .name = text(u"Text1"_s),
                         .person = text(u"Text2"_s),
                         .address = text(u"Text3"_s),
                         .phone = text(u"Text4"_s),
                         .fax = text(u"Text5"_s),
                         .postcode = text(u"Text6"_s),
                         .credit = text(u"Text12"_s) };
    switch (m_editor.save(details)) {
    case UnitEditor::SaveOutcome::NothingLookedUp:
        platform::inform(u"无此单位,请检查输入是否正确!"_s);
        return;
    case UnitEditor::SaveOutcome::Failed:
        platform::inform(u"单位档案修改失败!"_s);
        return;
    case UnitEditor::SaveOutcome::Saved:
        break;
    }
    platform::inform(u"单位档案修改成功!"_s);
    users::logAction(u"修改"_s + details.name + u"的单位资料,成功。"_s);
    finish();
}

void UnitModifyWindow::leaving()
{
    users::logAction(u"退出修改单位资料系统。"_s);
}

} // namespace records
