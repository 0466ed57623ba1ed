#include "shell/window_opening.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

/** A child window that can refuse to close, as a window with unsaved input does. */
class ChildWindow final : public QWidget
{
public:
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refuseClose); }
};

} // namespace

class TestWindowOpening final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exclusiveGivesMainWindowBack_data();
    void exclusiveGivesMainWindowBack();
    void reopenedExclusiveWindowHoldsMainWindowAgain();
    void plainKeepsMainWindowUsable();

private:
    std::unique_ptr<QWidget> m_main;
    QPointer<ChildWindow> m_child;
};

void TestWindowOpening::init()
{
    m_main = std::make_unique<QWidget>();
    m_main->setObjectName(u"main"_s);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    m_child = new ChildWindow;
}

void TestWindowOpening::cleanup()
{
    delete m_child;
    m_main.reset();
}

void TestWindowOpening::exclusiveGivesMainWindowBack_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("mainEnabledAfter");

    QTest::newRow("closed") << u"close"_s << true;
    QTest::newRow("closed and deleted") << u"close, delete on close"_s << true;
    QTest::newRow("hidden") << u"hide"_s << true;
    QTest::newRow("destroyed while open") << u"delete"_s << true;
    QTest::newRow("close refused") << u"refuse close"_s << false;
}

void TestWindowOpening::exclusiveGivesMainWindowBack()
{
    QFETCH(QString, ending);
    QFETCH(bool, mainEnabledAfter);

    shell::openExclusively(*m_child, *m_main);
    QVERIFY(QTest::qWaitForWindowExposed(m_child.data()));
    QVERIFY(!m_main->isEnabled());
    QVERIFY(m_child->isEnabled());

    if (ending == u"close"_s) {
        m_child->close();
    } else if (ending == u"close, delete on close"_s) {
        m_child->setAttribute(Qt::WA_DeleteOnClose);
        m_child->close();
        QTRY_VERIFY(!m_child);
    } else if (ending == u"hide"_s) {
        m_child->hide();
    } else if (ending == u"delete"_s) {
        delete m_child;
    } else {
        m_child->refuseClose = true;
        m_child->close();
        QVERIFY(m_child->isVisible());
    }

    QCOMPARE(m_main->isEnabled(), mainEnabledAfter);
    if (mainEnabledAfter)
        QTRY_COMPARE(QApplication::activeWindow(), m_main.get());
}

void TestWindowOpening::reopenedExclusiveWindowHoldsMainWindowAgain()
{
    shell::openExclusively(*m_child, *m_main);
    m_child->close();
    QVERIFY(m_main->isEnabled());

    shell::openExclusively(*m_child, *m_main);
    QVERIFY(!m_main->isEnabled());
    m_child->close();
    QVERIFY(m_main->isEnabled());
}

void TestWindowOpening::plainKeepsMainWindowUsable()
{
    shell::openPlainly(*m_child);
    QVERIFY(QTest::qWaitForWindowExposed(m_child.data()));
    m_child->setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(m_child->isMinimized());

    // opening it again brings it back from the task bar
    shell::openPlainly(*m_child);
    QTRY_VERIFY(!m_child->isMinimized());
    QVERIFY(m_child->isVisible());
    QVERIFY(m_main->isEnabled());
}

QTEST_MAIN(TestWindowOpening)
#include "test_window_opening.moc"
