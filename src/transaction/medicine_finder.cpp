#include "transaction/medicine_finder.h"

#include "store/bound_recordset.h"
#include "store/mnemonic.h"

#include <algorithm>
#include <array>
#include <iterator>

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
    m_holding.clear();
    m_codeStarting.clear();
    for (size_t i = 0; i < m_keys.size(); ++i) {
        const Keys& keys = m_keys[i];
        for (const QString* field : { &keys.mnemonic, &keys.name, &keys.maker }) {
            for (const QChar c : *field) {
                std::vector<qsizetype>& holding = m_holding[c.unicode()];
                if (holding.empty() || holding.back() != qsizetype(i))
                    holding.push_back(qsizetype(i));
            }
        }
        if (!keys.code.isEmpty())
            m_codeStarting[keys.code.front().unicode()].push_back(qsizetype(i));
    }
    m_searched = false;
    m_lastMatches.clear();
    m_found.clear();
}

std::vector<qsizetype> MedicineFinder::candidates(const QString& text) const
{
    static const std::vector<qsizetype> none;
    const std::vector<qsizetype>* fewest = nullptr;
    for (const QChar c : text) {
        const auto found = m_holding.constFind(c.unicode());
        const std::vector<qsizetype>& holding = found == m_holding.cend() ? none : *found;
        if (!fewest || holding.size() < fewest->size())
            fewest = &holding;
    }
    const auto codes = m_codeStarting.constFind(text.front().unicode());
    const std::vector<qsizetype>& codeStarting = codes == m_codeStarting.cend() ? none : *codes;
    std::vector<qsizetype> merged;
    merged.reserve(fewest->size() + codeStarting.size());
    std::set_union(fewest->cbegin(), fewest->cend(), codeStarting.cbegin(), codeStarting.cend(),
                   std::back_inserter(merged));
    return merged;
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
    const std::vector<qsizetype> fresh = narrowing ? std::vector<qsizetype>() : candidates(text);
    const std::vector<qsizetype>& looked = narrowing ? m_lastMatches : fresh;
    matches.reserve(looked.size());
    for (const qsizetype i : looked)
        consider(i);
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
