#include "review_fixture.h"

#include "users/current_user.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace reviewtests {

transaction::Line saleLine(const QString& name, const QString& quantity, const QString& unitPrice,
                           const QString& amount, const QString& purchasePrice, const QString& type)
{
    transaction::Line line;
    line.purchasePrice = purchasePrice;
    line.name = name;
    line.maker = u"华北制药"_s;
    line.quantity = quantity;
    line.unitPrice = unitPrice;
    line.amount = amount;
    line.spec = u"0.25g*24"_s;
    line.unit = u"盒"_s;
    line.batchNo = u"B0401"_s;
    line.expiry = u"2006-01"_s;
    line.drugType = type;
    return line;
}

void setLines(const QList<std::pair<int, transaction::Line>>& lines)
{
    for (const auto& [number, line] : lines)
        transaction::workingSet().TransactionLines[static_cast<size_t>(number)] = line;
}

ReviewFixture::ReviewFixture(const QString& user)
    : m_timers(std::make_unique<testsupport::InstantTimers>())
    , m_clock(std::make_unique<testsupport::FakeClock>())
    , m_dialogs(std::make_unique<testsupport::FakeDialogs>())
    , m_scratch(std::make_unique<testsupport::ScratchDatabase>(true))
    , m_log(std::make_unique<users::ActivityLog>(m_scratch->db(), user))
{
    users::setCurrentUser(user);
    users::setActivityLog(m_log.get());
    transaction::workingSet() = transaction::WorkingSet {};
}

ReviewFixture::~ReviewFixture()
{
    delete m_window;
    users::setActivityLog(nullptr);
    users::setCurrentUser({});
    transaction::workingSet() = transaction::WorkingSet {};
}

void ReviewFixture::open(QWidget* window)
{
    m_window = window;
    window->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<QTimer> opening = window->findChild<QTimer*>(u"Timer1"_s);
    QVERIFY(opening);
    window->show();
    QTRY_VERIFY(!m_window || (m_window->isActiveWindow() && !opening->isActive()));
}

void ReviewFixture::click(const QString& button)
{
    auto* found = control<QPushButton>(button);
    QVERIFY2(found, qPrintable(button));
    QVERIFY2(found->isVisible() && found->isEnabled(), qPrintable(button));
    QTest::mouseClick(found, Qt::LeftButton);
}

QStringList ReviewFixture::logged() const
{
    QStringList messages;
    for (const auto& entry : m_log->pending())
        messages << entry.message;
    return messages;
}

bool ReviewFixture::finish(QString* problem)
{
    delete m_window;
    return m_dialogs->verifyDone(problem);
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace reviewtests
