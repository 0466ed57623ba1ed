#pragma once

#include "statistics/sales_sums.h"

#include <QString>
#include <QStringList>

namespace statistics {

enum class PeriodKind { Month, Year };

/** The year box's items, oldest first: the five years ending with the current one, as " 2000年" … " 2004年". */
QStringList yearItems(int currentYear);
/** The month box's items " 1月" … " 12月". */
QStringList monthItems();
/** What the boxes show until the user picks an item, whatever the current year. */
QString initialYearBoxText();
QString initialMonthBoxText();

/**
 * The period a chooser hands over: the first five characters of the year box (" 2003"), and for a month the first
 * two characters of a three-character month box (" 5月" gives " 5"), else its first three (" 12月" gives " 12").
 */
SalePeriod chosenPeriod(PeriodKind kind, const QString& yearBoxText, const QString& monthBoxText);

/** The log text of the choice, after the role's wording: "统计2003年5月的销售情况", "统计2003年的销售情况". */
QString choiceLogText(const SalePeriod& period);

/**
 * What the result window's labels start with: " 2003年5月," for a month (the month without its first character),
 * " 2003年," for a year; the year keeps its leading space.
 */
QString periodLabelPrefix(const SalePeriod& period);

} // namespace statistics
