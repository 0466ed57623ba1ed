#pragma once

#include "support/window_fixture.h"
#include "transaction/working_set.h"

namespace reviewtests {

/** A line in use with the given texts; maker, spec, unit, batch number and expiry are filled in alike. */
transaction::Line saleLine(const QString& name, const QString& quantity, const QString& unitPrice,
                           const QString& amount, const QString& purchasePrice = {},
                           const QString& type = QStringLiteral("片剂"));

/** Puts lines into the working set at the given line numbers. */
void setLines(const QList<std::pair<int, transaction::Line>>& lines);

/** The window fixture with a clerk signed in and an empty working set, emptied again at the end. */
class ReviewFixture final : public testsupport::WindowFixture
{
public:
    explicit ReviewFixture(const QString& user = QStringLiteral("张三"));
    ~ReviewFixture();
};

/** The name of the widget that has the keyboard focus, empty when none has. */
QString focusName();

} // namespace reviewtests
