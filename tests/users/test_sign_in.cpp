#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/password_encoding.h"
#include "users/sign_in.h"
#include "users/sign_in_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using users::SignInBox;
using Kind = users::SignInOutcome::Kind;

class TestSignIn final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void attempt_data();
    void attempt();
    void failureCounter_data();
    void failureCounter();

    void windowTexts();
    void namesFilledAfterShowing_data();
    void namesFilledAfterShowing();
    void enterLeadsToSignIn();
    void refusalFocus_data();
    void refusalFocus();
    void fourthWrongPasswordEndsProgram();
    void leavingEndsProgram_data();
    void leavingEndsProgram();

private:
    void addClerk(const QString& name, const QString& password);
    /** Form2 on the scratch database, shown and filled. */
    void showWindow();
    template<typename T> T* control(const QString& name) const;

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeLauncher> m_launcher;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    QPointer<users::SignInWindow> m_window;
};

void TestSignIn::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_launcher = std::make_unique<testsupport::FakeLauncher>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    addClerk(u"张三"_s, u"2468"_s);
    addClerk(u"Lily"_s, u"1357"_s);
    addClerk(u"O'Brien"_s, u"555"_s);
}

void TestSignIn::cleanup()
{
    QString problem;
    const bool dialogsDone = m_dialogs->verifyDone(&problem);
    delete m_window;
    m_scratch.reset();
    m_dialogs.reset();
    m_launcher.reset();
    m_timers.reset();
    QVERIFY2(dialogsDone, qPrintable(problem));
}

void TestSignIn::addClerk(const QString& name, const QString& password)
{
    QVERIFY(m_scratch->db().exec(u"INSERT INTO \"user\" (\"username\", \"userpassword\") VALUES (?, ?)"_s,
                                 { name, users::EncodePassword(password, users::Role::Clerk) }));
}

void TestSignIn::showWindow()
{
    m_window = new users::SignInWindow(m_scratch->db());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTRY_VERIFY(control<QComboBox>(u"text1"_s)->count() > 0);
}

template<typename T> T* TestSignIn::control(const QString& name) const
{
    auto* found = m_window->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// The delivered accounts (super "888888", Orsvan "123456") and the clerks 张三 "2468", Lily "1357", O'Brien "555".
void TestSignIn::attempt_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<SignInBox>("focus");
    QTest::addColumn<int>("failures");

    const QString wrong = u"密码错误,请重新输入!"_s;
    const QString noSuchUser = u"无此用户,请检查输入是否正确!"_s;
    QTest::newRow("super user") << u"super"_s << u"888888"_s << Kind::SignedIn << QString() << SignInBox::UserName << 0;
    QTest::newRow("administrator") << u"Orsvan"_s << u"123456"_s << Kind::SignedIn << QString() << SignInBox::UserName
                                   << 0;
    QTest::newRow("clerk") << u"张三"_s << u"2468"_s << Kind::SignedIn << QString() << SignInBox::UserName << 0;
    QTest::newRow("clerk name in another case")
        << u"LILY"_s << u"1357"_s << Kind::SignedIn << QString() << SignInBox::UserName << 0;
    QTest::newRow("name with a quote") << u"O'Brien"_s << u"555"_s << Kind::SignedIn << QString() << SignInBox::UserName
                                       << 0;

    QTest::newRow("empty name") << QString() << u"123456"_s << Kind::Refused << u"请输入用户名!"_s
                                << SignInBox::UserName << 0;
    QTest::newRow("both empty: the name first")
        << QString() << QString() << Kind::Refused << u"请输入用户名!"_s << SignInBox::UserName << 0;
    QTest::newRow("empty password") << u"Orsvan"_s << QString() << Kind::Refused << u"请输入密码!"_s
                                    << SignInBox::Password << 0;
    QTest::newRow("empty password before the lookup")
        << u"nobody"_s << QString() << Kind::Refused << u"请输入密码!"_s << SignInBox::Password << 0;
    QTest::newRow("unknown name does not count")
        << u"nobody"_s << u"123456"_s << Kind::Refused << noSuchUser << SignInBox::UserName << 0;
    QTest::newRow("SUPER is looked up as a clerk")
        << u"SUPER"_s << u"888888"_s << Kind::Refused << noSuchUser << SignInBox::UserName << 0;
    QTest::newRow("quote that would widen a query")
        << u"x' OR '1'='1"_s << u"555"_s << Kind::Refused << noSuchUser << SignInBox::UserName << 0;

    QTest::newRow("super user, wrong password")
        << u"super"_s << u"123456"_s << Kind::Refused << wrong << SignInBox::Password << 1;
    QTest::newRow("administrator, wrong password")
        << u"Orsvan"_s << u"888888"_s << Kind::Refused << wrong << SignInBox::Password << 1;
    QTest::newRow("orsvan finds the record but encodes as a clerk")
        << u"orsvan"_s << u"123456"_s << Kind::Refused << wrong << SignInBox::Password << 1;
    QTest::newRow("clerk with another clerk's password")
        << u"张三"_s << u"1357"_s << Kind::Refused << wrong << SignInBox::Password << 1;
    QTest::newRow("super user's password one digit short")
        << u"super"_s << u"88888"_s << Kind::Refused << wrong << SignInBox::Password << 1;
}

void TestSignIn::attempt()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    QFETCH(Kind, kind);
    QFETCH(QString, message);
    QFETCH(SignInBox, focus);
    QFETCH(int, failures);

    users::SignIn signIn(m_scratch->db());
    const users::SignInOutcome outcome = signIn.attempt(userName, password);
    QCOMPARE(outcome.kind, kind);
    QCOMPARE(outcome.message, message);
    if (kind == Kind::Refused) {
        QCOMPARE(outcome.focus, focus);
        // only a wrong password is cleared
        QCOMPARE(outcome.clearPassword, failures > 0);
    }
    QCOMPARE(signIn.failures(), failures);
}

void TestSignIn::failureCounter_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("passwords");
    QTest::addColumn<Kind>("lastKind");
    QTest::addColumn<QString>("lastMessage");

    QTest::newRow("fourth wrong password ends")
        << QStringList { u"Orsvan"_s, u"Orsvan"_s, u"Orsvan"_s, u"Orsvan"_s }
        << QStringList { u"1"_s, u"2"_s, u"3"_s, u"4"_s } << Kind::EndProgram << u"密码错误!"_s;
    QTest::newRow("three wrong, then the right one")
        << QStringList { u"Orsvan"_s, u"Orsvan"_s, u"Orsvan"_s, u"Orsvan"_s }
        << QStringList { u"1"_s, u"2"_s, u"3"_s, u"123456"_s } << Kind::SignedIn << QString();
    QTest::newRow("different names count together")
        << QStringList { u"super"_s, u"张三"_s, u"Orsvan"_s, u"orsvan"_s }
        << QStringList { u"1"_s, u"2"_s, u"3"_s, u"123456"_s } << Kind::EndProgram << u"密码错误!"_s;
    QTest::newRow("unknown names and empty boxes do not count")
        << QStringList { u"Orsvan"_s, u"nobody"_s, QString(), u"Orsvan"_s, u"Orsvan"_s, u"Orsvan"_s, u"super"_s }
        << QStringList { u"1"_s, u"2"_s, u"3"_s, QString(), u"4"_s, u"5"_s, u"888888"_s } << Kind::SignedIn
        << QString();
}

void TestSignIn::failureCounter()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, passwords);
    QFETCH(Kind, lastKind);
    QFETCH(QString, lastMessage);

    users::SignIn signIn(m_scratch->db());
    for (qsizetype i = 0; i + 1 < names.size(); ++i)
        QCOMPARE(signIn.attempt(names[i], passwords[i]).kind, Kind::Refused);
    const users::SignInOutcome last = signIn.attempt(names.last(), passwords.last());
    QCOMPARE(last.kind, lastKind);
    QCOMPARE(last.message, lastMessage);
}

void TestSignIn::windowTexts()
{
    showWindow();
    QCOMPARE(m_window->windowTitle(), u"系统登陆"_s);
    QVERIFY(m_window->isWindow());
    QCOMPARE(control<QLabel>(u"Label1"_s)->text(), u"用户名:"_s);
    QCOMPARE(control<QLabel>(u"Label2"_s)->text(), u"密  码:"_s);
    QCOMPARE(control<QPushButton>(u"Command1"_s)->text(), u"确定"_s);
    QCOMPARE(control<QPushButton>(u"Command2"_s)->text(), u"退出"_s);
    auto* password = control<QLineEdit>(u"Text2"_s);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(password->maxLength(), 12);
}

void TestSignIn::namesFilledAfterShowing_data()
{
    QTest::addColumn<bool>("withAccounts");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("accounts in table order") << true << QStringList { u"Orsvan"_s, u"张三"_s, u"Lily"_s, u"O'Brien"_s };
    QTest::newRow("no accounts") << false << QStringList();
}

void TestSignIn::namesFilledAfterShowing()
{
    QFETCH(bool, withAccounts);
    QFETCH(QStringList, names);

    if (!withAccounts)
        QVERIFY(m_scratch->db().exec(u"DELETE FROM \"user\""_s));
    m_window = new users::SignInWindow(m_scratch->db());
    auto* box = control<QComboBox>(u"text1"_s);
    QVERIFY(box->isEditable());
    QCOMPARE(box->currentText(), u"Orsvan"_s);
    QCOMPARE(box->count(), 0);

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    auto* timer = m_window->findChild<QTimer*>(u"Timer1"_s);
    QVERIFY(timer);
    QTRY_VERIFY(!timer->isActive());
    QStringList listed;
    for (int i = 0; i < box->count(); ++i)
        listed << box->itemText(i);
    QCOMPARE(listed, names);
    // filling the list keeps the initial text
    QCOMPARE(box->currentText(), u"Orsvan"_s);
}

void TestSignIn::enterLeadsToSignIn()
{
    showWindow();
    QSignalSpy signedIn(m_window.data(), &users::SignInWindow::signedIn);
    auto* name = control<QComboBox>(u"text1"_s);
    auto* password = control<QLineEdit>(u"Text2"_s);
    name->setFocus();
    name->clearEditText();
    QTest::keyClicks(name, u"Lily"_s);
    QTest::keyClick(name, Qt::Key_Return);
    QTRY_VERIFY(password->hasFocus());
    // Enter in the name box neither signs in nor adds the name to the list
    QCOMPARE(signedIn.count(), 0);
    QCOMPARE(name->count(), 4);

    QTest::keyClicks(password, u"1357"_s);
    QTest::keyClick(password, Qt::Key_Return);
    QCOMPARE(signedIn.count(), 1);
    QCOMPARE(signedIn.first().first().toString(), u"Lily"_s);
    QTRY_VERIFY(!m_window);
    QCOMPARE(m_launcher->endCalls, 0);
}

void TestSignIn::refusalFocus_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("passwordAfter");

    QTest::newRow("empty name") << QString() << u"123456"_s << u"请输入用户名!"_s << u"text1"_s << u"123456"_s;
    QTest::newRow("empty password") << u"Orsvan"_s << QString() << u"请输入密码!"_s << u"Text2"_s << QString();
    QTest::newRow("unknown name") << u"nobody"_s << u"123456"_s << u"无此用户,请检查输入是否正确!"_s << u"text1"_s
                                  << u"123456"_s;
    QTest::newRow("wrong password") << u"Orsvan"_s << u"654321"_s << u"密码错误,请重新输入!"_s << u"Text2"_s
                                    << QString();
}

void TestSignIn::refusalFocus()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(QString, focused);
    QFETCH(QString, passwordAfter);

    showWindow();
    QSignalSpy signedIn(m_window.data(), &users::SignInWindow::signedIn);
    control<QComboBox>(u"text1"_s)->setEditText(userName);
    auto* passwordBox = control<QLineEdit>(u"Text2"_s);
    passwordBox->setText(password);
    // the focus starts on the other box, so that the refusal has to move it
    (focused == u"Text2"_s ? static_cast<QWidget*>(control<QPushButton>(u"Command2"_s)) : passwordBox)->setFocus();
    m_dialogs->expect(message);
    QTest::mouseClick(control<QPushButton>(u"Command1"_s), Qt::LeftButton);

    QTRY_COMPARE(m_window->focusWidget(), control<QWidget>(focused));
    QCOMPARE(passwordBox->text(), passwordAfter);
    QCOMPARE(signedIn.count(), 0);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_launcher->endCalls, 0);
}

void TestSignIn::fourthWrongPasswordEndsProgram()
{
    showWindow();
    QSignalSpy signedIn(m_window.data(), &users::SignInWindow::signedIn);
    auto* password = control<QLineEdit>(u"Text2"_s);
    for (int i = 0; i < 3; ++i) {
        m_dialogs->expect(u"密码错误,请重新输入!"_s);
        QTest::keyClicks(password, u"111"_s);
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(m_launcher->endCalls, 0);
    }
    m_dialogs->expect(u"密码错误!"_s);
    QTest::keyClicks(password, u"111"_s);
    QTest::keyClick(password, Qt::Key_Return);

    QCOMPARE(m_launcher->endCalls, 1);
    QCOMPARE(m_launcher->exitCode, 0);
    QCOMPARE(signedIn.count(), 0);
}

void TestSignIn::leavingEndsProgram_data()
{
    QTest::addColumn<bool>("byCloseBox");

    QTest::newRow("退出") << false;
    QTest::newRow("close box") << true;
}

void TestSignIn::leavingEndsProgram()
{
    QFETCH(bool, byCloseBox);

    showWindow();
    QSignalSpy signedIn(m_window.data(), &users::SignInWindow::signedIn);
    if (byCloseBox)
        m_window->windowHandle()->close();
    else
        QTest::mouseClick(control<QPushButton>(u"Command2"_s), Qt::LeftButton);

    QCOMPARE(m_launcher->endCalls, 1);
    QCOMPARE(m_launcher->exitCode, 0);
    QCOMPARE(signedIn.count(), 0);
}

QTEST_MAIN(TestSignIn)
#include "test_sign_in.moc"
