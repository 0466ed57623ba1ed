#include "transaction/medicine_finder.h"

#include "store/bound_recordset.h"
#include "store/mnemonic.h"

#include <array>

namespace transaction {

namespace {

constexpr int ranks = 4;

} // namespace

QString foldForFinding(const QString& text)
{
    for (const QChar c : text) {
        // only text beyond ASCII can hold full-width or other compatibility forms
        if (c.unicode() >= 0x80)
            return text.normalized(QString::NormalizationForm_KC).toUpper();
    }
    return text.toUpper();
}

bool MedicineFinder::load(store::BoundRecordset& catalogue)
{
    QList<store::Medicine> medicines;
    if (catalogue.isOpen()) {
        const QStringList fields = catalogue.fields();
        const QList<QStringList> records = catalogue.allRecords();
        medicines.reserve(records.size());
        for (const QStringList& record : records)
            medicines.append(store::medicineFromRecord(fields, record));
    }
    const bool read = catalogue.isOpen();
    setMedicines(std::move(medicines));
    return read;
}

void MedicineFinder::setMedicines(QList<store::Medicine> medicines)
{
    m_medicines = std::move(medicines);
    m_keys.clear();
    m_keys.reserve(size_t(m_medicines.size()));
    for (const store::Medicine& medicine : std::as_const(m_medicines)) {
        const QString mnemonic = medicine.mnemonic.isEmpty() ? store::mnemonicOf(medicine.name) : medicine.mnemonic;
        m_keys.push_back({ foldForFinding(mnemonic), foldForFinding(medicine.name), foldForFinding(medicine.code),
                           foldForFinding(medicine.maker) });
    }
    m_searched = false;
    m_lastMatches.clear();
    m_found.clear();
}

int MedicineFinder::rank(const Keys& keys, QStringView text)
{
    const bool inMnemonic = keys.mnemonic.contains(text);
    const bool inName = keys.name.contains(text);
    const bool codeStarts = keys.code.startsWith(text);
    if (!inMnemonic && !inName && !codeStarts)
        return keys.maker.contains(text) ? 3 : -1;
    if (keys.mnemonic == text || keys.name == text || keys.code == text)
        return 0;
    if (codeStarts || (inMnemonic && keys.mnemonic.startsWith(text)) || (inName && keys.name.startsWith(text)))
        return 1;
    return 2;
}

const QList<qsizetype>& MedicineFinder::find(const QString& typed)
{
    const QString text = foldForFinding(typed.trimmed());
    if (text.isEmpty()) {
        m_found.clear();
        for (qsizetype i = 0; i < m_medicines.size(); ++i)
            m_found.append(i);
        m_lastMatches.assign(m_found.cbegin(), m_found.cend());
        m_lastText = text;
        m_searched = true;
        return m_found;
    }
    // what a longer text finds, the shorter one found as well
    const bool narrowing = m_searched && text.startsWith(m_lastText);
    std::vector<qsizetype> matches;
    std::array<QList<qsizetype>, ranks> ranked;
    const auto consider = [&](qsizetype i) {
        const int r = rank(m_keys[size_t(i)], text);
        if (r >= 0) {
            matches.push_back(i);
            ranked[size_t(r)].append(i);
        }
    };
    if (narrowing) {
        matches.reserve(m_lastMatches.size());
        for (const qsizetype i : m_lastMatches)
            consider(i);
    } else {
        for (qsizetype i = 0; i < m_medicines.size(); ++i)
            consider(i);
    }
    m_found.clear();
    m_found.reserve(qsizetype(matches.size()));
    for (const QList<qsizetype>& group : ranked)
        m_found.append(group);
    m_lastMatches = std::move(matches);
    m_lastText = text;
    m_searched = true;
    return m_found;
}

} // namespace transaction
