#include "platform/screen_fit.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

class TestScreenFit final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fittedInside_data();
    void fittedInside();
    void shownWindow_data();
    void shownWindow();
};

void TestScreenFit::initTestCase()
{
    platform::keepWindowsOnScreen(*qApp);
}

void TestScreenFit::fittedInside_data()
{
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");

    const QRect screen(0, 0, 1280, 1024);
    QTest::newRow("fits") << QRect(100, 330, 300, 200) << screen << QPoint(100, 330);
    QTest::newRow("fills the area exactly") << screen << screen << QPoint(0, 0);
    QTest::newRow("overflows the bottom") << QRect(100, 900, 300, 200) << screen << QPoint(100, 824);
    QTest::newRow("overflows the right") << QRect(1100, 330, 300, 200) << screen << QPoint(980, 330);
    QTest::newRow("overflows both") << QRect(1100, 900, 300, 200) << screen << QPoint(980, 824);
    QTest::newRow("above and left of the area") << QRect(-50, -20, 300, 200) << screen << QPoint(0, 0);
    QTest::newRow("larger than the area") << QRect(100, 330, 1400, 1100) << screen << QPoint(0, 0);
    QTest::newRow("taller than the area only") << QRect(100, 330, 300, 1100) << screen << QPoint(100, 0);
    QTest::newRow("wider than the area, overflowing the bottom")
        << QRect(100, 900, 1400, 200) << screen << QPoint(0, 824);
    // 1280 x 1024 pixels at 150 % display scaling, with the main window's frame
    QTest::newRow("main window scaled") << QRect(0, 330, 800, 585) << QRect(0, 0, 853, 683) << QPoint(0, 98);
    QTest::newRow("panel at the top") << QRect(0, 10, 300, 200) << QRect(0, 30, 1280, 994) << QPoint(0, 30);
    QTest::newRow("second screen to the right")
        << QRect(2500, 330, 300, 200) << QRect(1280, 0, 1280, 1024) << QPoint(2260, 330);
    QTest::newRow("no area known") << QRect(100, 900, 300, 200) << QRect() << QPoint(100, 900);
}

void TestScreenFit::fittedInside()
{
    QFETCH(QRect, wanted);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);

    QCOMPARE(platform::fittedInside(wanted, available), QRect(expected, wanted.size()));
}

void TestScreenFit::shownWindow_data()
{
    QTest::addColumn<QPoint>("fromTopLeft"); ///< the wanted place, from the available area's top-left corner
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("fits");

    const QSize area = QApplication::primaryScreen()->availableGeometry().size();
    QTest::newRow("fits") << QPoint(40, 30) << QSize(200, 100) << true;
    QTest::newRow("overflows the bottom right")
        << QPoint(area.width() - 50, area.height() - 30) << QSize(200, 100) << false;
    QTest::newRow("larger than the screen") << QPoint(40, 30) << area + QSize(100, 100) << false;
}

void TestScreenFit::shownWindow()
{
    QFETCH(QPoint, fromTopLeft);
    QFETCH(QSize, size);
    QFETCH(bool, fits);

    const QRect available = QApplication::primaryScreen()->availableGeometry();
    const QPoint wanted = available.topLeft() + fromTopLeft;
    QWidget window;
    window.resize(size);
    window.move(wanted);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    if (fits) {
        QCOMPARE(window.pos(), wanted);
    } else if (size.width() > available.width()) {
        QCOMPARE(window.pos(), available.topLeft());
    } else {
        QVERIFY(available.contains(window.frameGeometry()));
        // shifted no further than needed
        QCOMPARE(window.frameGeometry().bottomRight(), available.bottomRight());
    }

    // once it is up, the user may put it where he likes
    const QPoint putByUser = available.bottomRight() - QPoint(20, 20);
    window.move(putByUser);
    QCoreApplication::processEvents();
    QCOMPARE(window.pos(), putByUser);
}

QTEST_MAIN(TestScreenFit)
#include "test_screen_fit.moc"
