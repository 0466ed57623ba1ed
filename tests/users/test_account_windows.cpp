#include "platform/button_keys.h"
#include "platform/top_level_windows.h"
#include "shell/lifecycle_hooks.h"
#include "shell/main_window.h"
#include "shell/wiring.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "users/account_window.h"
#include "users/activity_log.h"
#include "users/add_clerk_window.h"
#include "users/current_user.h"
#include "users/delete_clerk_window.h"
#include "users/log_window.h"
#include "users/password_encoding.h"
#include "users/password_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using users::PasswordForm;

Q_DECLARE_METATYPE(platform::Answer)

namespace {

using Rows = QList<QStringList>;

QString clerkPassword(const QString& text)
{
    return users::EncodePassword(text, users::Role::Clerk);
}

/** Key presses for any text: keyClicks() takes Latin characters only. */
void typeInto(QWidget* box, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestAccountWindows final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void checksInOrder_data();
    void checksInOrder();
    void wrongPasswordsThenEnd_data();
    void wrongPasswordsThenEnd();
    void rightPasswordChanges_data();
    void rightPasswordChanges();
    void leaving_data();
    void leaving();

    void enterMovesThroughAddClerkBoxes();
    void addClerk();

    void deleteClerk_data();
    void deleteClerk();

    void commandsOpenExclusively_data();
    void commandsOpenExclusively();
    void thirdFailureClosesMainWindow();

private:
    /** Loads the window the way its command does and waits for its opening step. */
    void open(const QString& name);
    QStringList entries() const;
    template<typename T = QLineEdit> T* control(const QString& name) const
    {
        T* found = m_window ? m_window->findChild<T*>(name) : nullptr;
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    void click(const QString& button);
    void type(const QString& box, const QString& text);

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::FakeLauncher> m_launcher;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::LogWindow> m_log;
    QPointer<QWidget> m_window;
};

void TestAccountWindows::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_clock = std::make_unique<testsupport::FakeClock>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_launcher = std::make_unique<testsupport::FakeLauncher>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    m_scratch->db().exec(u"INSERT INTO \"user\" VALUES (?, ?)"_s, { u"张三"_s, clerkPassword(u"111"_s) });
    m_scratch->createTable(u"张三"_s, store::logTableColumns());
    users::setCurrentUser(u"Orsvan"_s);
    m_log = std::make_unique<users::LogWindow>(m_scratch->db(), u"Orsvan"_s);
    shell::lifecycleHooks() = {};
    // as the program has it from its start
    platform::pressFocusedButtonOnEnter(*QApplication::instance());
}

void TestAccountWindows::cleanup()
{
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    delete m_window;
    m_log.reset();
    QList<QPointer<QWidget>> leftOpen;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->parent())
            leftOpen << window;
    }
    qDeleteAll(leftOpen);
    users::setCurrentUser({});
    m_scratch.reset();
    m_launcher.reset();
    m_dialogs.reset();
    m_clock.reset();
    m_timers.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestAccountWindows::open(const QString& name)
{
    const auto before = m_log->log().pending().size();
    if (name == u"super"_s)
        m_window = new users::PasswordWindow(m_scratch->db(), PasswordForm::SuperUser);
    else if (name == u"user"_s)
        m_window = new users::PasswordWindow(m_scratch->db(), PasswordForm::Account);
    else if (name == u"password"_s)
        m_window = new users::PasswordWindow(m_scratch->db(), PasswordForm::Clerk);
    else if (name == u"Form5"_s)
        m_window = new users::AddClerkWindow(m_scratch->db());
    else
        m_window = new users::DeleteClerkWindow(m_scratch->db());
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    m_window->show();
    if (!QTest::qWaitForWindowActive(m_window))
        qWarning("window not active");
    QTRY_COMPARE(m_log->log().pending().size(), before + 1);
}

QStringList TestAccountWindows::entries() const
{
    QStringList messages;
    for (const auto& entry : m_log->log().pending())
        messages << entry.message;
    return messages;
}

void TestAccountWindows::click(const QString& button)
{
    if (auto* found = control<QPushButton>(button))
        QTest::mouseClick(found, Qt::LeftButton);
}

void TestAccountWindows::type(const QString& box, const QString& text)
{
    if (auto* found = control(box))
        typeInto(found, text);
}

void TestAccountWindows::checksInOrder_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("typed"); // box, text, box, text, ...
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");

    const QString mismatch = u"两次输入的新密码不符,请确认新密码!"_s;
    QTest::newRow("super: old password") << u"super"_s << QStringList() << u"请输入旧密码!"_s << u"text1"_s;
    QTest::newRow("super: new password") << u"super"_s << QStringList { u"text1"_s, u"1"_s } << u"请输入新密码!"_s
                                         << u"Text2"_s;
    QTest::newRow("super: empty confirmation")
        << u"super"_s << QStringList { u"text1"_s, u"1"_s, u"Text2"_s, u"2"_s } << mismatch << u"Text2"_s;
    QTest::newRow("super: different confirmation")
        << u"super"_s << QStringList { u"text1"_s, u"1"_s, u"Text2"_s, u"2"_s, u"Text3"_s, u"3"_s } << mismatch
        << u"Text2"_s;
    QTest::newRow("user: name") << u"user"_s << QStringList { u"text1"_s, u"1"_s } << u"请输入用户名!"_s << u"Text4"_s;
    QTest::newRow("user: old password") << u"user"_s << QStringList { u"Text4"_s, u"张三"_s } << u"请输入旧密码!"_s
                                        << u"text1"_s;
    QTest::newRow("user: new password") << u"user"_s << QStringList { u"Text4"_s, u"张三"_s, u"text1"_s, u"1"_s }
                                        << u"请输入新密码!"_s << u"Text2"_s;
    QTest::newRow("user: empty confirmation")
        << u"user"_s << QStringList { u"Text4"_s, u"张三"_s, u"text1"_s, u"1"_s, u"Text2"_s, u"2"_s } << mismatch
        << u"Text2"_s;
    QTest::newRow("password: name") << u"password"_s << QStringList() << u"请输入用户名!"_s << u"Text4"_s;
    QTest::newRow("password: management password")
        << u"password"_s << QStringList { u"Text4"_s, u"张三"_s } << u"请输入管理密码!"_s << u"text1"_s;
    QTest::newRow("password: new password")
        << u"password"_s << QStringList { u"Text4"_s, u"张三"_s, u"text1"_s, u"1"_s } << u"请输入新密码!"_s
        << u"Text2"_s;
    QTest::newRow("password: empty confirmation")
        << u"password"_s << QStringList { u"Text4"_s, u"张三"_s, u"text1"_s, u"1"_s, u"Text2"_s, u"2"_s } << mismatch
        << u"Text2"_s;
    QTest::newRow("Form5: name") << u"Form5"_s << QStringList { u"Text2"_s, u"1"_s } << u"请输入用户名!"_s
                                 << u"text1"_s;
    QTest::newRow("Form5: initial password")
        << u"Form5"_s << QStringList { u"text1"_s, u"李四"_s } << u"请输入初始密码!"_s << u"Text2"_s;
    QTest::newRow("Form5: empty confirmation")
        << u"Form5"_s << QStringList { u"text1"_s, u"李四"_s, u"Text2"_s, u"1"_s } << u"请输入确认密码!"_s
        << u"Text3"_s;
    QTest::newRow("Form5: different confirmation")
        << u"Form5"_s << QStringList { u"text1"_s, u"李四"_s, u"Text2"_s, u"1"_s, u"Text3"_s, u"2"_s }
        << u"初始密码与确认密码不符，请重新输入!"_s << u"Text2"_s;
}

void TestAccountWindows::checksInOrder()
{
    QFETCH(QString, window);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, focused);

    open(window);
    for (qsizetype i = 0; i + 1 < typed.size(); i += 2)
        type(typed.at(i), typed.at(i + 1));
    const Rows accountsBefore = m_scratch->rows(u"user"_s);
    const QStringList entriesBefore = entries();

    m_dialogs->expect(message);
    click(u"Command2"_s);
    QCOMPARE(QApplication::focusWidget(), control(focused));
    QVERIFY(m_window->isVisible());
    QCOMPARE(entries(), entriesBefore);
    QCOMPARE(m_scratch->rows(u"user"_s), accountsBefore);
}

void TestAccountWindows::wrongPasswordsThenEnd_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("retryMessage");
    QTest::addColumn<QString>("finalMessage");
    QTest::addColumn<QString>("failureEntry");

    QTest::newRow("super") << u"super"_s << QString() << u"旧密码错误,请重新输入!"_s << u"旧密码错误!"_s
                           << u"超级用户修改密码,失败,原因:旧密码错！退出系统。"_s;
    QTest::newRow("user") << u"user"_s << u"张三"_s << u"旧密码错误,请重新输入!"_s << u"旧密码错误!"_s
                          << u"制单员张三修改密码失败,原因:旧密码错！退出系统。"_s;
    QTest::newRow("password") << u"password"_s << u"张三"_s << u"管理密码错误,请重新输入!"_s << u"管理密码错误!"_s
                              << u"系统管理员修改制单员的密码,失败,原因:管理密码错！退出系统。"_s;
}

void TestAccountWindows::wrongPasswordsThenEnd()
{
    QFETCH(QString, window);
    QFETCH(QString, userName);
    QFETCH(QString, retryMessage);
    QFETCH(QString, finalMessage);
    QFETCH(QString, failureEntry);

    open(window);
    QSignalSpy runEnded(qobject_cast<users::AccountWindow*>(m_window.data()), &users::AccountWindow::runEnded);
    if (!userName.isEmpty())
        type(u"Text4"_s, userName);
    type(u"Text2"_s, u"42"_s);
    type(u"Text3"_s, u"42"_s);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        type(u"text1"_s, u"000"_s);
        m_dialogs->expect(retryMessage);
        click(u"Command2"_s);
        QVERIFY(control(u"text1"_s)->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), control(u"text1"_s));
    }
    QCOMPARE(runEnded.count(), 0);

    type(u"text1"_s, u"000"_s);
    m_dialogs->expect(finalMessage);
    click(u"Command2"_s);
    QCOMPARE(entries().last(), failureEntry);
    QCOMPARE(runEnded.count(), 1);
    QTRY_VERIFY(!m_window);
}

void TestAccountWindows::rightPasswordChanges_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("storedRow");

    QTest::newRow("super") << u"super"_s << QString() << u"888888"_s << u"超级用户修改密码,成功。"_s << u"password"_s
                           << QStringList { users::EncodePassword(u"42"_s, users::Role::SuperUser) };
    QTest::newRow("user") << u"user"_s << u"Orsvan"_s << u"123456"_s << u"系统管理员修改管理密码成功。"_s << u"user"_s
                          << QStringList { u"Orsvan"_s, users::EncodePassword(u"42"_s, users::Role::Administrator) };
    QTest::newRow("password") << u"password"_s << u"张三"_s << u"123456"_s << u"系统管理员修改制单员张三的密码,成功。"_s
                              << u"user"_s << QStringList { u"张三"_s, clerkPassword(u"42"_s) };
}

void TestAccountWindows::rightPasswordChanges()
{
    QFETCH(QString, window);
    QFETCH(QString, userName);
    QFETCH(QString, oldPassword);
    QFETCH(QString, entry);
    QFETCH(QString, table);
    QFETCH(QStringList, storedRow);

    open(window);
    if (!userName.isEmpty())
        type(u"Text4"_s, userName);
    type(u"text1"_s, oldPassword);
    type(u"Text2"_s, u"42"_s);
    type(u"Text3"_s, u"42"_s);
    m_dialogs->expect(u"密码修改成功！"_s);
    click(u"Command2"_s);
    QCOMPARE(entries().size(), 2);
    QCOMPARE(entries().last(), entry);
    QVERIFY(m_scratch->rows(table).contains(storedRow));
    QTRY_VERIFY(!m_window);
}

void TestAccountWindows::leaving_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("signedIn");
    QTest::addColumn<QString>("button"); // empty: Esc
    QTest::addColumn<int>("key"); // pressed on the focused button; 0: a mouse click
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("super by Esc") << u"super"_s << u"super"_s << QString() << 0
                                  << QStringList { u"超级用户进入密码修改系统。"_s, u"超级用户退出密码修改系统。"_s };
    QTest::newRow("user by a clerk") << u"user"_s << u"张三"_s << u"Command1"_s << 0
                                     << QStringList { u"制单员张三进入密码修改系统。"_s,
                                                      u"制单员张三退出密码修改系统。"_s };
    QTest::newRow("password by Esc") << u"password"_s << u"Orsvan"_s << QString() << 0
                                     << QStringList { u"系统管理员进入制单员密码修改系统。"_s,
                                                      u"系统管理员退出制单员密码修改系统。"_s };
    QTest::newRow("Form5 by Esc") << u"Form5"_s << u"super"_s << QString() << 0
                                  << QStringList { u"超级用户进入添加制单员页面。"_s,
                                                   u"超级用户退出添加制单员页面。"_s };
    QTest::newRow("Form5 by its button") << u"Form5"_s << u"Orsvan"_s << u"Command1"_s << 0
                                         << QStringList { u"系统管理员进入添加制单员页面。"_s,
                                                          u"系统管理员退出添加制单员页面。"_s };
    QTest::newRow("制单员 by Esc") << u"制单员"_s << u"super"_s << QString() << 0
                                   << QStringList { u"超级用户进入删除制单员页面。"_s,
                                                    u"超级用户退出删除制单员页面。"_s };
    QTest::newRow("制单员 by its button")
        << u"制单员"_s << u"张三"_s << u"Command2"_s << 0
        << QStringList { u"制单员张三进入删除制单员页面。"_s, u"制单员张三退出删除制单员页面。"_s };
    // Enter presses the button that has the focus, as Space does
    QTest::newRow("user by Enter on 取消")
        << u"user"_s << u"张三"_s << u"Command1"_s << int(Qt::Key_Return)
        << QStringList { u"制单员张三进入密码修改系统。"_s, u"制单员张三退出密码修改系统。"_s };
    QTest::newRow("Form5 by keypad Enter on 取消")
        << u"Form5"_s << u"Orsvan"_s << u"Command1"_s << int(Qt::Key_Enter)
        << QStringList { u"系统管理员进入添加制单员页面。"_s, u"系统管理员退出添加制单员页面。"_s };
    QTest::newRow("super by Space on 取消")
        << u"super"_s << u"super"_s << u"Command1"_s << int(Qt::Key_Space)
        << QStringList { u"超级用户进入密码修改系统。"_s, u"超级用户退出密码修改系统。"_s };
    QTest::newRow("制单员 by Enter on 返回")
        << u"制单员"_s << u"张三"_s << u"Command2"_s << int(Qt::Key_Return)
        << QStringList { u"制单员张三进入删除制单员页面。"_s, u"制单员张三退出删除制单员页面。"_s };
}

void TestAccountWindows::leaving()
{
    QFETCH(QString, window);
    QFETCH(QString, signedIn);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(QStringList, expected);

    users::setCurrentUser(signedIn);
    open(window);
    if (button.isEmpty()) {
        QTest::keyClick(m_window, Qt::Key_Escape);
    } else if (key == 0) {
        click(button);
    } else {
        auto* pressed = control<QPushButton>(button);
        pressed->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pressed, Qt::Key(key));
    }
    QCOMPARE(entries(), expected);
    QTRY_VERIFY(!m_window);
}

void TestAccountWindows::enterMovesThroughAddClerkBoxes()
{
    open(u"Form5"_s);
    const QStringList order { u"text1"_s, u"Text2"_s, u"Text3"_s };
    control(u"text1"_s)->setFocus();
    for (const QString& box : order) {
        QCOMPARE(QApplication::focusWidget(), control(box));
        QTest::keyClicks(QApplication::focusWidget(), u"1"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(u"Command2"_s));
    QCOMPARE(m_scratch->rows(u"user"_s).size(), 2);
}

void TestAccountWindows::addClerk()
{
    open(u"Form5"_s);
    type(u"text1"_s, u"李四"_s);
    type(u"Text2"_s, u"123"_s);
    type(u"Text3"_s, u"123"_s);
    m_dialogs->expect(u"添加新用户成功！"_s);
    click(u"Command2"_s);
    QCOMPARE(entries(), (QStringList { u"系统管理员进入添加制单员页面。"_s, u"系统管理员添加制单员李四,成功。"_s }));
    QCOMPARE(m_scratch->rows(u"user"_s).last(), (QStringList { u"李四"_s, clerkPassword(u"123"_s) }));
    QVERIFY(store::tableExists(m_scratch->db(), u"李四"_s));
    QTRY_VERIFY(!m_window);
}

void TestAccountWindows::deleteClerk_data()
{
    QTest::addColumn<QString>("typed"); // empty: the first name of the list is chosen
    QTest::addColumn<platform::Answer>("answer");
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QStringList>("newEntries");
    QTest::addColumn<QStringList>("listAfter");

    QTest::newRow("chosen and confirmed")
        << QString() << platform::Answer::Ok << QStringList { u"确定要删除张三吗?"_s, u"删除成功!"_s }
        << QStringList { u"系统管理员进入删除制单员页面。"_s, u"系统管理员删除制单员张三,成功。"_s }
        << QStringList { u"李四"_s };
    QTest::newRow("cancelled") << QString() << platform::Answer::Cancel
                               << QStringList { u"确定要删除张三吗?"_s, u"操作取消!"_s } << QStringList()
                               << QStringList { u"张三"_s, u"李四"_s };
    QTest::newRow("typed unknown name") << u"王五"_s << platform::Answer::Ok << QStringList { u"无此制单员!"_s }
                                        << QStringList() << QStringList { u"张三"_s, u"李四"_s };
}

void TestAccountWindows::deleteClerk()
{
    QFETCH(QString, typed);
    QFETCH(platform::Answer, answer);
    QFETCH(QStringList, prompts);
    QFETCH(QStringList, newEntries);
    QFETCH(QStringList, listAfter);

    m_scratch->db().exec(u"INSERT INTO \"user\" VALUES (?, ?)"_s, { u"李四"_s, clerkPassword(u"2"_s) });
    open(u"制单员"_s);
    auto* names = control<QComboBox>(u"text1"_s);
    QCOMPARE(QApplication::focusWidget(), names);
    QStringList listed;
    for (int i = 0; i < names->count(); ++i)
        listed << names->itemText(i);
    QCOMPARE(listed, (QStringList { u"张三"_s, u"李四"_s }));

    if (typed.isEmpty())
        names->setCurrentIndex(0);
    else
        typeInto(names, typed);
    const QStringList entriesBefore = entries();
    const qsizetype accountsBefore = m_scratch->rows(u"user"_s).size();
    m_dialogs->expect(prompts.first(), answer);
    for (const QString& prompt : prompts.mid(1))
        m_dialogs->expect(prompt);
    click(u"Command1"_s);

    for (const auto& shown : m_dialogs->shown())
        QCOMPARE(shown.prompt.title, u"删除"_s);
    QCOMPARE(entries(), entriesBefore + newEntries);
    listed.clear();
    for (int i = 0; i < names->count(); ++i)
        listed << names->itemText(i);
    QCOMPARE(listed, listAfter);
    QCOMPARE(m_scratch->rows(u"user"_s).size(), accountsBefore - (newEntries.isEmpty() ? 0 : 1));
    QVERIFY(store::tableExists(m_scratch->db(), u"张三"_s));
}

void TestAccountWindows::commandsOpenExclusively_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("leaveButton");

    QTest::newRow("超级用户") << u"超级用户"_s << u"super"_s << u"Command1"_s;
    QTest::newRow("普通用户") << u"普通用户"_s << u"user"_s << u"Command1"_s;
    QTest::newRow("普通用户1") << u"普通用户1"_s << u"password"_s << u"Command1"_s;
    QTest::newRow("添加新用户") << u"添加新用户"_s << u"Form5"_s << u"Command1"_s;
    QTest::newRow("删除制单员") << u"删除制单员"_s << u"制单员"_s << u"Command2"_s;
}

void TestAccountWindows::commandsOpenExclusively()
{
    QFETCH(QString, command);
    QFETCH(QString, window);
    QFETCH(QString, leaveButton);

    shell::MainWindow main(m_scratch->db());
    shell::wireAccountCommands(main, m_scratch->db());
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    main.runCommand(command);
    m_window = platform::topLevelWindow(window);
    QVERIFY(m_window);
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->parent());
    QVERIFY(m_window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!main.isEnabled());
    QTRY_COMPARE(entries().size(), 1);

    click(leaveButton);
    QVERIFY(main.isEnabled());
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QTRY_VERIFY(!m_window);
    QVERIFY(!main.isQuitting());
}

void TestAccountWindows::thirdFailureClosesMainWindow()
{
    shell::MainWindow main(m_scratch->db());
    shell::wireAccountCommands(main, m_scratch->db());
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.runCommand(u"超级用户"_s);
    m_window = platform::topLevelWindow(u"super"_s);
    QVERIFY(m_window);

    type(u"Text2"_s, u"1"_s);
    type(u"Text3"_s, u"1"_s);
    m_dialogs->expect(u"旧密码错误,请重新输入!"_s);
    m_dialogs->expect(u"旧密码错误,请重新输入!"_s);
    m_dialogs->expect(u"旧密码错误!"_s);
    for (int attempt = 1; attempt <= 3; ++attempt) {
        type(u"text1"_s, u"9"_s);
        click(u"Command2"_s);
    }
    QVERIFY(main.isQuitting());
    QCOMPARE(entries().last(), u"超级用户修改密码,失败,原因:旧密码错！退出系统。"_s);
    QTRY_VERIFY(!m_window);
    QTRY_COMPARE(m_launcher->endCalls, 1);
}

QTEST_MAIN(TestAccountWindows)
#include "test_account_windows.moc"
