#pragma once

#include "store/medicine.h"

#include <QHash>
#include <QList>
#include <QString>
#include <vector>

namespace store {
class BoundRecordset;
}

namespace transaction {

/**
 * The find list's catalogue: the medicines as they were read, searched in memory so that the list follows every key
 * the clerk types. No widget is involved.
 *
 * A typed text finds a medicine whose 助记码 starts with or contains it, whose name contains it, whose 代号 starts
 * with it, or whose maker contains it; Latin letter case and full-width forms do not matter, blanks around the text
 * are ignored. The best matches come first:
 * 1. exact: the 助记码, the name or the 代号 is the text;
 * 2. prefix: one of them starts with it;
 * 3. the 助记码 or the name contains it;
 * 4. only the maker contains it;
 * and within each of these, the catalogue's stored order. An empty text finds every medicine in stored order.
 * A medicine without a 助记码 of its own is found by the one its name gives.
 */
class MedicineFinder final
{
public:
    /** Reads the catalogue anew; false, with nothing to find, when it cannot be read. */
    bool load(store::BoundRecordset& catalogue);
    /** Takes these medicines, in stored order, as the catalogue. */
    void setMedicines(QList<store::Medicine> medicines);

    qsizetype size() const { return m_medicines.size(); }
    const store::Medicine& medicine(qsizetype i) const { return m_medicines.at(i); }

    /**
     * The places (in medicine()) of the medicines the text finds, best first. A text that lengthens the one before
     * searches only what that one found, so typing on narrows quickly.
     */
    const QList<qsizetype>& find(const QString& typed);

private:
    struct Keys
    {
        QString mnemonic;
        QString name;
        QString code;
        QString maker;
    };
    /** 0 to 3 for the four kinds of match above, -1 for none. */
    static int rank(const Keys& keys, QStringView text);

    /** The medicines a search for the text need look at, in stored order: a superset of those it finds. */
    std::vector<qsizetype> candidates(const QString& text) const;

    QList<store::Medicine> m_medicines;
    std::vector<Keys> m_keys;
    // For each character, the medicines (in stored order) whose 助记码, name or maker hold it, and those whose 代号
    // starts with it: a text is only ever found in medicines that hold every one of its characters.
    QHash<char16_t, std::vector<qsizetype>> m_holding;
    QHash<char16_t, std::vector<qsizetype>> m_codeStarting;
    QString m_lastText;
    bool m_searched = false;
    std::vector<qsizetype> m_lastMatches; // stored order
    QList<qsizetype> m_found;
};

/** A typed or stored text as the finder compares it: full-width forms folded, upper case. */
QString foldForFinding(const QString& text);

} // namespace transaction
