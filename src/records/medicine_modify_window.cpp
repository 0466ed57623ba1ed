#include "records/medicine_modify_window.h"

#include "platform/dialogs.h"
#include "records/focus_hooks.h"
#include "store/bound_recordset.h"
#include "store/mnemonic.h"
#include "users/log_wording.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace records {

namespace {

FormControls modifyForm()
{
    return { u"modiM"_s,
             u"修改药品属性"_s,
             {
                 { u"Text1"_s, u"药 品 名："_s, 40, InputMethod::Unchanged },
                 { u"Text5"_s, u"生产厂家："_s, 50, InputMethod::Unchanged },
                 { u"Text4"_s, u"单  位："_s, 10, InputMethod::On },
                 { u"Text6"_s, u"规  格："_s, 20, InputMethod::Unchanged },
                 { u"Text2"_s, u"单  价："_s, 10, InputMethod::Off },
                 { u"Text12"_s, u"进  价:"_s, 0, InputMethod::Off },
                 { u"Text15"_s, u"代  号:"_s, 0, InputMethod::Off },
                 { u"Text10"_s, u"类  型:"_s, 0, InputMethod::On },
                 { u"Text16"_s, u"助 记 码:"_s, mnemonicLongest, InputMethod::Off, true },
             },
             u"修 改"_s,
             u"取 消"_s };
}

} // namespace

MedicineModifyWindow::MedicineModifyWindow(platform::Database& database)
    : RecordForm(modifyForm())
    , m_catalogue(new store::BoundRecordset(database, catalogueTable(), this))
    , m_editor(*m_catalogue)
    , m_candidates(new QComboBox(this))
{
    m_catalogue->setObjectName(u"Data1"_s);
    m_candidates->setObjectName(u"Combo1"_s);
    m_candidates->hide();
    addBelowButtons(m_candidates);
    connect(m_candidates, &QComboBox::activated, this, &MedicineModifyWindow::choose);

    QLineEdit* name = box(u"Text1"_s);
    // A new lookup lists only its own matches.
    onFocusEntering(name, [this] {
        m_candidates->clear();
        m_candidates->hide();
    });
    onFocusLeaving(name, [this] { lookUp(); });

    users::logAction(u"进入修改药品档案系统。"_s);
}

void MedicineModifyWindow::lookUp()
{
    const QStringList lines = m_editor.lookUp(text(u"Text1"_s));
    // Without a match the boxes keep what they hold.
    if (lines.isEmpty())
        return;
    m_candidates->clear();
    m_candidates->addItems(lines);
    m_candidates->setVisible(lines.size() > 1);
    showMedicine();
}

void MedicineModifyWindow::choose(int candidate)
{
    if (m_editor.choose(candidate))
        showMedicine();
}

void MedicineModifyWindow::showMedicine()
{
    const store::Medicine medicine = m_editor.medicine();
    setText(u"Text5"_s, medicine.maker);
    setText(u"Text4"_s, medicine.unit);
    setText(u"Text6"_s, medicine.spec);
    setText(u"Text2"_s, medicine.unitPrice);
    setText(u"Text12"_s, medicine.purchasePrice);
    setText(u"Text15"_s, medicine.code);
    setText(u"Text10"_s, medicine.type);
    // a medicine without a code of its own is found by the one its name gives; 修 改 then stores that
    setText(u"Text16"_s, medicine.mnemonic.isEmpty() ? store::mnemonicOf(medicine.name) : medicine.mnemonic);
}

void MedicineModifyWindow::confirm()
{
    const QString name = text(u"Text1"_s);
    const store::Medicine changes { .name = name,
                                    .code = text(u"Text15"_s),
                                    .maker = text(u"Text5"_s),
                                    .spec = text(u"Text6"_s),
                                    .unit = text(u"Text4"_s),
                                    .unitPrice = text(u"Text2"_s),
                                    .purchasePrice = text(u"Text12"_s),
                                    .type = text(u"Text10"_s),
                                    .mnemonic = text(u"Text16"_s) };
    switch (m_editor.save(changes)) {
    case MedicineEditor::SaveOutcome::WrongType:
        platform::inform(u"类型输入不正确,请重新输入"_s);
        box(u"Text10"_s)->setFocus();
        return;
    case MedicineEditor::SaveOutcome::WrongPrice:
        platform::inform(u"单价输入不正确,请重新输入!"_s);
        box(u"Text2"_s)->setFocus();
        return;
    case MedicineEditor::SaveOutcome::WrongPurchasePrice:
        platform::inform(u"进价输入不正确,请重新输入!"_s);
        box(u"Text12"_s)->setFocus();
        return;
    case MedicineEditor::SaveOutcome::NothingLookedUp:
        platform::inform(u"无此药品,请重新输入!"_s);
        box(u"Text1"_s)->setFocus();
        return;
    case MedicineEditor::SaveOutcome::Failed:
        platform::inform(u"修改失败!"_s);
        return;
    case MedicineEditor::SaveOutcome::Saved:
        break;
    }
    platform::inform(u"修改成功!"_s);
    users::logAction(u"修改药品"_s + name + u"档案,成功。"_s);
    finish();
}

void MedicineModifyWindow::leaving()
{
    users::logAction(u"退出修改药品档案系统。"_s);
}

} // namespace records
