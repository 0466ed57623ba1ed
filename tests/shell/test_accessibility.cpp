#include "shell/main_window.h"
#include "store/statements.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/scratch_database.h"
#include "transaction/entry_window.h"
#include "transaction/working_set.h"
#include "users/activity_log.h"
#include "users/current_user.h"
#include "users/sign_in_window.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using transaction::EntryVariant;
using transaction::EntryWindow;

namespace {

const QString clerk = u"张三"_s;

// The column headings as a screen reader reads them, by the boxes' name prefix, written out here rather than taken
// from the window under test.
const std::pair<const char16_t*, const char16_t*> rowColumns[] = {
    { u"Name", u"药品名称" }, { u"shang", u"药品制造商" }, { u"Number", u"数量" }, { u"Danjia", u"单价" },
    { u"Money", u"金额" },    { u"Guige", u"规格" },       { u"Danwei", u"单位" }, { u"date", u"批号" },
    { u"beizhu", u"有效期" }, { u"leixing", u"类型" },
};

QString accessibleName(QObject* object)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

/** What a screen reader finds in the entry windows, the sign-in and the toolbar, through Qt's accessibility. */
class TestAccessibility final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void entryInputsNamed_data();
    void entryInputsNamed();
    void captionsLinked_data();
    void captionsLinked();
    void toolbarButtons_data();
    void toolbarButtons();

private:
    QWidget* openWindow(const QString& name);

    std::unique_ptr<testsupport::InstantTimers> m_timers;
    std::unique_ptr<testsupport::FakeDialogs> m_dialogs;
    std::unique_ptr<testsupport::ScratchDatabase> m_scratch;
    std::unique_ptr<users::ActivityLog> m_log;
    QPointer<QWidget> m_window;
};

void TestAccessibility::init()
{
    m_timers = std::make_unique<testsupport::InstantTimers>();
    m_dialogs = std::make_unique<testsupport::FakeDialogs>();
    m_scratch = std::make_unique<testsupport::ScratchDatabase>(true);
    const QString unit = u"仁和药店"_s;
    QVERIFY(m_scratch->db().exec(u"INSERT INTO \"单位\" (\"单位名称\") VALUES (?)"_s, { unit }));
    QVERIFY(store::createTable(m_scratch->db(), unit, store::transactionTableColumns()));
    m_log = std::make_unique<users::ActivityLog>(m_scratch->db(), clerk);
    users::setCurrentUser(clerk);
    users::setActivityLog(m_log.get());
}

void TestAccessibility::cleanup()
{
    delete m_window;
    QString problem;
    const bool done = m_dialogs->verifyDone(&problem);
    users::setActivityLog(nullptr);
    users::setCurrentUser({});
    m_log.reset();
    m_scratch.reset();
    m_dialogs.reset();
    m_timers.reset();
    transaction::workingSet() = transaction::WorkingSet {};
    QVERIFY2(done, qPrintable(problem));
}

QWidget* TestAccessibility::openWindow(const QString& name)
{
    if (name == u"Form2"_s) {
        m_window = new users::SignInWindow(m_scratch->db());
        m_window->show();
    } else {
        m_window = EntryWindow::open(m_scratch->db(),
                                     name == u"xdjy"_s ? EntryVariant::stored() : EntryVariant::notStored());
    }
    if (!QTest::qWaitForWindowExposed(m_window.data()))
        return nullptr;
    return m_window;
}

void TestAccessibility::entryInputsNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("stored entry") << u"xdjy"_s;
    QTest::newRow("not-stored entry") << u"xdjy1"_s;
}

void TestAccessibility::entryInputsNamed()
{
    QFETCH(QString, window);
    QWidget* entry = openWindow(window);
    QVERIFY(entry);

    QStringList unnamed;
    int inputs = 0;
    for (QWidget* input : entry->findChildren<QWidget*>()) {
        if (!input->isVisible() || !(qobject_cast<QLineEdit*>(input) || qobject_cast<QComboBox*>(input)))
            continue;
        // the unit box's own line of text is part of the box
        if (qobject_cast<QComboBox*>(input->parentWidget()))
            continue;
        ++inputs;
        if (accessibleName(input).isEmpty())
            unnamed << input->objectName();
    }
    QCOMPARE(inputs, 101);
    QCOMPARE(unnamed, QStringList());

    for (int r = 1; r <= 10; ++r) {
        for (const auto& [prefix, heading] : rowColumns) {
            auto* box = entry->findChild<QLineEdit*>(QString::fromUtf16(prefix) + QString::number(r));
            QVERIFY(box);
            QCOMPARE(accessibleName(box), u"第%1行 %2"_s.arg(r).arg(QString::fromUtf16(heading)));
        }
    }
    // the choice list, shown when a name matches several medicines
    QCOMPARE(accessibleName(entry->findChild<QListWidget*>(u"Combo2"_s)), u"请选择"_s);
}

void TestAccessibility::captionsLinked_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("name");
    QTest::newRow("entry: unit") << u"xdjy"_s << u"Label2"_s << u"Combo1"_s << u"单位"_s;
    QTest::newRow("not-stored entry: unit") << u"xdjy1"_s << u"Label2"_s << u"Combo1"_s << u"单位"_s;
    QTest::newRow("sign-in: user name") << u"Form2"_s << u"Label1"_s << u"text1"_s << u"用户名"_s;
    QTest::newRow("sign-in: password") << u"Form2"_s << u"Label2"_s << u"Text2"_s << u"密码"_s;
}

void TestAccessibility::captionsLinked()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QString, box);
    QFETCH(QString, name);
    QWidget* shown = openWindow(window);
    QVERIFY(shown);
    auto* label = shown->findChild<QLabel*>(caption);
    auto* input = shown->findChild<QWidget*>(box);
    QVERIFY(label && input);

    // on Linux Qt reads a combo box out by its text and finds what it is for through the label
    QCOMPARE(input->accessibleName(), name);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(input);
    QAccessibleInterface* labelFace = QAccessible::queryAccessibleInterface(label);
    bool labelled = false;
    for (const auto& [other, relation] : face->relations(QAccessible::Label))
        labelled = labelled || other == labelFace;
    QVERIFY2(labelled, "the caption is not the box's label");
}

void TestAccessibility::toolbarButtons_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("button");
    const std::pair<const char16_t*, const char16_t*> images[] = {
        { u"Image10", u"版权说明" },     { u"Image1", u"新交易=入库" },  { u"Image2", u"新交易=不入库" },
        { u"Image15", u"查看本次交易" }, { u"Image14", u"打印" },        { u"Image4", u"建立新药品档案" },
        { u"Look", u"历史交易查看" },    { u"Image6", u"修改药品档案" }, { u"Image5", u"建立新客户档案" },
        { u"Image7", u"药品销售统计" },  { u"Image8", u"药品总数统计" }, { u"Image3", u"数据备份" },
        { u"Image9", u"帮助主题" },      { u"Image11", u"退出系统" },
    };
    for (const auto& [image, name] : images)
        QTest::newRow(QString::fromUtf16(image).toUtf8().constData())
            << QString::fromUtf16(image) << QString::fromUtf16(name) << true << true;
    QTest::newRow("Image7 disabled for a clerk") << u"Image7"_s << u"药品销售统计"_s << false << true;
    // the picture without a tooltip is decoration
    QTest::newRow("Image12") << u"Image12"_s << QString() << true << false;
}

void TestAccessibility::toolbarButtons()
{
    QFETCH(QString, image);
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    QFETCH(bool, button);
    shell::MainWindow main(m_scratch->db());
    int runs = 0;
    main.setCommand(image, [&runs] { ++runs; });
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    auto* picture = main.findChild<QWidget*>(image);
    QVERIFY(picture);
    picture->setEnabled(enabled);

    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(picture);
    QVERIFY(face);
    if (!button) {
        QVERIFY(face->role() != QAccessible::Button);
        QVERIFY(!face->actionInterface()
                || !face->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        return;
    }
    QCOMPARE(face->role(), QAccessible::Button);
    QCOMPARE(face->text(QAccessible::Name), name);
    QVERIFY(face->state().focusable);
    QCOMPARE(face->state().disabled, !enabled);
    QAccessibleActionInterface* actions = face->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(runs, enabled ? 1 : 0);
    if (!enabled)
        return;

    // the keyboard reaches it and presses it too
    picture->setFocus(Qt::TabFocusReason);
    QVERIFY(picture->hasFocus());
    QTest::keyClick(picture, Qt::Key_Space);
    QTest::keyClick(picture, Qt::Key_Return);
    QCOMPARE(runs, 3);
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
