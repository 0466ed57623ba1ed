#pragma once

#include <QString>
#include <optional>

namespace transaction {

/**
 * The format "0.00" of a computed value: at least one digit before the point, two after it, halves rounded away from
 * zero on the decimal value read at 15 significant digits (2.675 gives 2.68), no thousands separator.
 */
QString formatAmount(double value);

/**
 * The format ".00" of page subtotals and sales totals: formatAmount() without the digit before the point when the
 * whole part is zero (0.5 gives ".50", 0 gives ".00", 1234.5 gives "1234.50"). A value that rounds to nothing keeps
 * no sign: -0.001 gives ".00", not "-.00".
 */
QString formatPointAmount(double value);

/** A computed number shown without a format: its shortest text at 15 significant digits, no leading space. */
QString numberText(double value);

/**
 * The amount of a row: quantity × unit price in the format "0.00", worked out exactly on the decimal texts. nullopt
 * when either text is empty or is not a number as a whole (".", "1.2.3", pasted words); the amount box then keeps
 * what it showed.
 */
std::optional<QString> lineAmount(const QString& quantity, const QString& unitPrice);

/** The unit price as a line stores it: the number at the start of the price text, formatted "0.00". */
QString storedUnitPrice(const QString& priceText);

/**
 * The price rule of the stored entry: true when the purchase price is strictly above the unit price, both read as
 * the numbers at the start of their texts. An empty purchase price reads 0, so a row without a medicine never asks.
 */
bool isBelowPurchasePrice(const QString& purchasePrice, const QString& unitPrice);

/** The question asked then, quoting the purchase price exactly as the catalogue holds it. */
QString belowPurchasePriceQuestion(const QString& purchasePrice);

} // namespace transaction
