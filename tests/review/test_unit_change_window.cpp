#include "platform/twips.h"
#include "review/unit_change_window.h"
#include "review_fixture.h"
#include "transaction/working_set.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using transaction::workingSet;

class TestUnitChangeWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opening();
    void confirm_data();
    void confirm();
    void leaving_data();
    void leaving();
    void emptyRegister_data();
    void emptyRegister();

private:
    void addUnits(const QStringList& names);
    void openWindow();
    QComboBox* unitBox() const { return m_fixture->control<QComboBox>(u"Combo1"_s); }

    std::unique_ptr<reviewtests::ReviewFixture> m_fixture;
};

void TestUnitChangeWindow::init()
{
    m_fixture = std::make_unique<reviewtests::ReviewFixture>();
    workingSet().CustomerUnit = u"仁和药店"_s;
}

void TestUnitChangeWindow::cleanup()
{
    QString problem;
    const bool done = m_fixture->finish(&problem);
    m_fixture.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestUnitChangeWindow::addUnits(const QStringList& names)
{
    for (const QString& name : names)
        QVERIFY(m_fixture->scratch().db().exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { name }));
}

void TestUnitChangeWindow::openWindow()
{
    m_fixture->open(new review::UnitChangeWindow(m_fixture->scratch().db()));
}

void TestUnitChangeWindow::opening()
{
    addUnits({ u"甲"_s, u"乙"_s, u"丙"_s });
    openWindow();

    QWidget* window = m_fixture->window();
    QCOMPARE(window->objectName(), u"修改"_s);
    QCOMPARE(window->windowTitle(), u"Form1"_s);
    QCOMPARE(window->size(), QSize(platform::pixels(9870), platform::pixels(4920)));
    QCOMPARE(m_fixture->control<QLabel>(u"Label7"_s)->text(), u"修改购药单位"_s);
    QCOMPARE(m_fixture->control<QLabel>(u"Label4"_s)->text(), u"请选择购药单位:"_s);
    QCOMPARE(m_fixture->control<QPushButton>(u"Command2"_s)->text(), u"确 定"_s);
    QCOMPARE(m_fixture->control<QPushButton>(u"Command1"_s)->text(), u"返  回"_s);
    QVERIFY(unitBox()->isEditable());
    QStringList listed;
    for (int i = 0; i < unitBox()->count(); ++i)
        listed << unitBox()->itemText(i);
    QCOMPARE(listed, (QStringList { u"甲"_s, u"乙"_s, u"丙"_s }));
    QCOMPARE(unitBox()->currentText(), QString());
    QCOMPARE(m_fixture->logged(), QStringList { u"制单员张三进入修改交易单位页面。"_s });
}

void TestUnitChangeWindow::confirm_data()
{
    QTest::addColumn<int>("chosen"); // index in the list, -1 for a typed text
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("unit");

    QTest::newRow("listed name") << 1 << QString() << u"乙"_s;
    QTest::newRow("typed name not in the register") << -1 << u"新华诊所"_s << u"新华诊所"_s;
    QTest::newRow("empty text") << -1 << QString() << QString();
}

void TestUnitChangeWindow::confirm()
{
    QFETCH(int, chosen);
    QFETCH(QString, typed);
    QFETCH(QString, unit);
    addUnits({ u"甲"_s, u"乙"_s, u"丙"_s });
    openWindow();

    if (chosen >= 0) {
        unitBox()->setCurrentIndex(chosen);
    } else {
        QLineEdit* edit = unitBox()->lineEdit();
        edit->setFocus();
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    m_fixture->dialogs().expect(u"修改购药单位成功!"_s);
    m_fixture->click(u"Command2"_s);

    QCOMPARE(workingSet().CustomerUnit, unit);
    QVERIFY(!m_fixture->isOpen());
    QCOMPARE(m_fixture->dialogs().last().prompt.buttons, platform::Buttons::Ok);
    QCOMPARE(
        m_fixture->logged(),
        (QStringList { u"制单员张三进入修改交易单位页面。"_s, u"制单员张三修改交易单位为:"_s + unit + u",成功。"_s }));
    // a typed name is not added to the register
    QCOMPARE(m_fixture->scratch().rows(u"单位"_s).size(), 3);
}

void TestUnitChangeWindow::leaving_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("return, clerk") << u"张三"_s << u"Command1"_s
                                   << QStringList { u"制单员张三进入修改交易单位页面。"_s,
                                                    u"制单员张三退出修改交易单位页面。"_s };
    QTest::newRow("Esc, super user") << u"super"_s << u"Esc"_s
                                     << QStringList { u"超级用户进入修改交易单位页面。"_s,
                                                      u"超级用户退出修改交易单位页面。"_s };
    QTest::newRow("title bar, administrator")
        << u"Orsvan"_s << u"close"_s
        << QStringList { u"系统管理员进入修改交易单位页面。"_s, u"系统管理员退出修改交易单位页面。"_s };
}

void TestUnitChangeWindow::leaving()
{
    QFETCH(QString, user);
    QFETCH(QString, how);
    QFETCH(QStringList, entries);
    m_fixture.reset();
    m_fixture = std::make_unique<reviewtests::ReviewFixture>(user);
    workingSet().CustomerUnit = u"仁和药店"_s;
    addUnits({ u"甲"_s });
    openWindow();
    unitBox()->setCurrentIndex(0);

    if (how == u"Esc"_s)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else if (how == u"close"_s)
        m_fixture->window()->close();
    else
        m_fixture->click(how);

    QVERIFY(!m_fixture->isOpen());
    QCOMPARE(workingSet().CustomerUnit, u"仁和药店"_s);
    QCOMPARE(m_fixture->logged(), entries);
}

void TestUnitChangeWindow::emptyRegister_data()
{
    QTest::addColumn<bool>("tableMissing");
    QTest::newRow("no unit on record") << false;
    QTest::newRow("register unreadable") << true;
}

void TestUnitChangeWindow::emptyRegister()
{
    QFETCH(bool, tableMissing);
    if (tableMissing)
        QVERIFY(m_fixture->scratch().db().exec(u"DROP TABLE \"单位\""_s));
    m_fixture->dialogs().expect(u"目前没有交易单位！"_s);
    openWindow();

    QTRY_VERIFY(!m_fixture->window());
    QCOMPARE(workingSet().CustomerUnit, u"仁和药店"_s);
    QCOMPARE(m_fixture->logged(), QStringList { u"制单员张三进入修改交易单位页面。"_s });
}

QTEST_MAIN(TestUnitChangeWindow)
#include "test_unit_change_window.moc"
