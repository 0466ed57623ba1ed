#include "records/medicine_add_window.h"

#include "platform/dialogs.h"
#include "records/medicine_records.h"
#include "store/bound_recordset.h"
#include "store/mnemonic.h"
#include "users/log_wording.h"

#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace records {

namespace {

FormControls addForm()
{
    return { u"addnewM"_s,
             u"新药品档案录入"_s,
             {
                 { u"Text1"_s, u"药 品 名："_s, 40, InputMethod::On },
                 { u"Text2"_s, u"生产厂家："_s, 50, InputMethod::On },
                 { u"Text3"_s, u"单    位:"_s, 10, InputMethod::On },
                 { u"Text4"_s, u"规    格:"_s, 15, InputMethod::Off },
                 { u"Text5"_s, u"单    价:"_s, 10, InputMethod::Off },
                 { u"Text6"_s, u"进    价:"_s, 10, InputMethod::Off },
                 { u"Text8"_s, u"代    号:"_s, 10, InputMethod::Off },
                 { u"Text7"_s, u"类    型:"_s, 10, InputMethod::On },
                 { u"Text9"_s, u"助 记 码:"_s, mnemonicLongest, InputMethod::Off, true },
             },
             u"确 定"_s,
             u"取 消"_s };
}

} // namespace

MedicineAddWindow::MedicineAddWindow(platform::Database& database)
    : RecordForm(addForm()), m_catalogue(new store::BoundRecordset(database, catalogueTable(), this))
{
    m_catalogue->setObjectName(u"dataaddm"_s);
    // The code follows the name until the clerk writes one of their own; a box the clerk empties follows it again.
    connect(box(u"Text1"_s), &QLineEdit::textChanged, this, [this](const QString& name) {
        if (!m_ownMnemonic)
            setText(u"Text9"_s, store::mnemonicOf(name));
    });
    connect(box(u"Text9"_s), &QLineEdit::textEdited, this,
            [this](const QString& code) { m_ownMnemonic = !code.isEmpty(); });
}

void MedicineAddWindow::opened()
{
    m_catalogue->addNew();
    users::logAction(u"进入录入新药品页面。"_s);
}

void MedicineAddWindow::confirm()
{
    const store::Medicine medicine { .name = text(u"Text1"_s),
                                     .code = text(u"Text8"_s),
                                     .maker = text(u"Text2"_s),
                                     .spec = text(u"Text4"_s),
                                     .unit = text(u"Text3"_s),
                                     .unitPrice = text(u"Text5"_s),
                                     .purchasePrice = text(u"Text6"_s),
                                     .type = text(u"Text7"_s),
                                     .mnemonic = text(u"Text9"_s) };
    switch (addPendingMedicine(*m_catalogue, medicine)) {
    case AddOutcome::WrongType:
        platform::inform(u"类型输入不正确,请重新输入!"_s);
        box(u"Text7"_s)->setFocus();
        return;
    case AddOutcome::WrongPrice:
        platform::inform(u"单价输入不正确,请重新输入!"_s);
        box(u"Text5"_s)->setFocus();
        return;
    case AddOutcome::WrongPurchasePrice:
        platform::inform(u"进价输入不正确,请重新输入!"_s);
        box(u"Text6"_s)->setFocus();
        return;
    case AddOutcome::Added:
        platform::inform(u"新加药品成功!"_s);
        users::logAction(u"录入"_s + medicine.name + u"药品,成功。"_s);
        break;
    case AddOutcome::Failed:
        platform::inform(u"新建药品失败!"_s);
        users::logAction(u"录入"_s + medicine.name + u"药品,失败。"_s);
        break;
    }
    finish();
}

void MedicineAddWindow::leaving()
{
    m_catalogue->cancelUpdate();
    users::logAction(u"退出录入新药品页面。"_s);
}

} // namespace records
