#pragma once

#include <QString>

namespace store {

/**
 * true for a non-empty text made only of the characters a unit's or a clerk's name may hold: ASCII letters, digits
 * and the underscore, and any other character but white space (the ideographic space and the no-break space
 * included), control and format characters, unpaired surrogates and non-characters. Full-width punctuation such as
 * （）－·【】 is taken; ASCII spaces and punctuation are not, so the program's own names (its indexes) keep a space
 * or an ASCII sign, and every such text can name a file.
 */
bool isNameText(const QString& text);

/**
 * true for a name that can be a unit's or a clerk's table: isNameText(), not only digits, not a keyword of the SQL
 * dialect and not a name reserved for the engine itself. Unit and clerk names become table names, so any other name
 * is refused before a statement is built from it; the statements still quote every name.
 */
bool isBareTableName(const QString& name);

} // namespace store
