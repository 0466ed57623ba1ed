#include "records/medicine_records.h"

#include "store/bound_recordset.h"
#include "store/mnemonic_column.h"
#include "transaction/decimal_number.h"

using namespace Qt::Literals::StringLiterals;

namespace records {

namespace {

const QString nameField = u"名称"_s;

/**
 * A catalogue that has not taken its column of codes (a database that could not be written when the program started)
 * stores a medicine without one, but never drops a code that was typed.
 */
bool setMnemonic(store::BoundRecordset& catalogue, const QString& code)
{
    if (!catalogue.fields().contains(store::mnemonicField(), Qt::CaseInsensitive))
        return code.isEmpty();
    return catalogue.setValue(store::mnemonicField(), code);
}

// Every field but the name, which no window changes once the medicine is stored.
bool setDetails(store::BoundRecordset& catalogue, const store::Medicine& medicine)
{
    return setMnemonic(catalogue, medicine.mnemonic) && catalogue.setValue(u"代号"_s, medicine.code)
        && catalogue.setValue(u"生产厂家"_s, medicine.maker) && catalogue.setValue(u"规格"_s, medicine.spec)
        && catalogue.setValue(u"单位"_s, medicine.unit) && catalogue.setValue(u"单价"_s, medicine.unitPrice)
        && catalogue.setValue(u"进价"_s, medicine.purchasePrice) && catalogue.setValue(u"类型"_s, medicine.type);
}

enum class MedicineFault { None, WrongType, WrongPrice, WrongPurchasePrice };

// The type first, as the windows have always checked it, then the two prices in the order of their boxes.
MedicineFault faultOf(const store::Medicine& medicine)
{
    if (!isMedicineType(medicine.type))
        return MedicineFault::WrongType;
    if (!isPriceText(medicine.unitPrice))
        return MedicineFault::WrongPrice;
    if (!isPriceText(medicine.purchasePrice))
        return MedicineFault::WrongPurchasePrice;
    return MedicineFault::None;
}

} // namespace

QString catalogueTable()
{
    return u"药品"_s;
}

store::Medicine shownMedicine(const store::BoundRecordset& catalogue)
{
    // With nothing pending and no current record the fields hold nothing, though the shown values may still be those
    // of a record just removed.
    if (catalogue.mode() == store::BoundRecordset::Mode::None && !catalogue.hasCurrent())
        return {};
    return store::medicineFromRecord(catalogue.fields(), catalogue.shownValues());
}

bool isMedicineType(const QString& text)
{
    return text == u"片剂"_s || text == u"针剂"_s || text == u"器械"_s || text == u"其它"_s;
}

bool isPriceText(const QString& text)
{
    // What the sale's amount takes, so that a stored medicine is never one the sale cannot price.
    return text.isEmpty() || transaction::DecimalNumber::parse(text).has_value();
}

QString candidateLine(const store::Medicine& medicine)
{
    return u"产地: "_s + medicine.maker + u" 单位: "_s + medicine.unit + u" 规格: "_s + medicine.spec + u" 单价: "_s
        + medicine.unitPrice + u" 类型: "_s + medicine.type + u" 进价: "_s + medicine.purchasePrice + u" 代号: "_s
        + medicine.code;
}

AddOutcome addPendingMedicine(store::BoundRecordset& catalogue, const store::Medicine& medicine)
{
    switch (faultOf(medicine)) {
    case MedicineFault::WrongType:
        return AddOutcome::WrongType;
    case MedicineFault::WrongPrice:
        return AddOutcome::WrongPrice;
    case MedicineFault::WrongPurchasePrice:
        return AddOutcome::WrongPurchasePrice;
    case MedicineFault::None:
        break;
    }
    if (catalogue.mode() == store::BoundRecordset::Mode::Adding && catalogue.setValue(nameField, medicine.name)
        && setDetails(catalogue, medicine) && catalogue.update())
        return AddOutcome::Added;
    catalogue.cancelUpdate();
    return AddOutcome::Failed;
}

MedicineEditor::MedicineEditor(store::BoundRecordset& catalogue) : m_catalogue(catalogue) { }

QStringList MedicineEditor::lookUp(const QString& name)
{
    m_name = name;
    m_candidates = 0;
    QStringList lines;
    if (name.isEmpty())
        return lines;
    const store::Criterion criterion { nameField, name };
    for (m_catalogue.findFirst(criterion); !m_catalogue.noMatch(); m_catalogue.findNext(criterion))
        lines << candidateLine(shownMedicine(m_catalogue));
    // Listing left the last match current; the first one is the medicine looked up.
    if (!lines.isEmpty())
        m_catalogue.findFirst(criterion);
    m_candidates = m_catalogue.noMatch() ? 0 : int(lines.size());
    return lines;
}

bool MedicineEditor::choose(int candidate)
{
    if (candidate < 0 || candidate >= m_candidates)
        return false;
    // Each candidate is reached by its place among the matches, not by its shown values, which need not tell two
    // medicines apart and may hold spaces.
    const store::Criterion criterion { nameField, m_name };
    m_catalogue.findFirst(criterion);
    for (int i = 0; i < candidate && !m_catalogue.noMatch(); ++i)
        m_catalogue.findNext(criterion);
    if (m_catalogue.noMatch()) {
        m_candidates = 0;
        return false;
    }
    return true;
}

store::Medicine MedicineEditor::medicine() const
{
    return shownMedicine(m_catalogue);
}

MedicineEditor::SaveOutcome MedicineEditor::save(const store::Medicine& changes)
{
    switch (faultOf(changes)) {
    case MedicineFault::WrongType:
        return SaveOutcome::WrongType;
    case MedicineFault::WrongPrice:
        return SaveOutcome::WrongPrice;
    case MedicineFault::WrongPurchasePrice:
        return SaveOutcome::WrongPurchasePrice;
    case MedicineFault::None:
        break;
    }
    if (!hasMedicine() || !m_catalogue.hasCurrent())
        return SaveOutcome::NothingLookedUp;
    if (m_catalogue.edit() && setDetails(m_catalogue, changes) && m_catalogue.update())
        return SaveOutcome::Saved;
    m_catalogue.cancelUpdate();
    return SaveOutcome::Failed;
}

} // namespace records
