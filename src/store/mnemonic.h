#pragma once

#include <QString>

namespace store {

/**
 * The 助记码 a medicine's name gives, as the clerks type it to find the medicine: for every Chinese character the
 * first letter of its pinyin (ICU's Han-Latin transliteration), and every Latin letter and digit of the name as it
 * stands (full-width forms as their ASCII ones), all upper case; anything else is left out. "维生素B6片" gives
 * "WSSB6P". A character ICU reads another way than the trade does (长 of 长春西汀 reads "zhang") gives its letter
 * all the same; the clerk corrects such a code by hand.
 */
QString mnemonicOf(const QString& name);

} // namespace store
