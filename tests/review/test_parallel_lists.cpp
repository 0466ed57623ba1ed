#include "review/parallel_lists.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

class TestParallelLists final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rowChosenAnywhereIsChosenEverywhere_data();
    void rowChosenAnywhereIsChosenEverywhere();
    void keysInLeadingListMoveAll_data();
    void keysInLeadingListMoveAll();
    void focusPassesToLeadingList_data();
    void focusPassesToLeadingList();
    void focusStaysWhileListsAreDisabled();
    void findIsExact_data();
    void findIsExact();
    void refillDropsTheChoice();

private:
    QList<int> selectedRows() const;
    QString focusName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    std::unique_ptr<QWidget> m_window;
    QList<QListWidget*> m_lists;
    QLineEdit* m_box = nullptr;
    QPushButton* m_button = nullptr;
    std::unique_ptr<review::ParallelLists> m_parallel;
};

void TestParallelLists::init()
{
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_lists.clear();
    for (int i = 1; i <= 3; ++i) {
        auto* list = new QListWidget(m_window.get());
        list->setObjectName(u"List%1"_s.arg(i));
        layout->addWidget(list);
        m_lists << list;
    }
    m_box = new QLineEdit(m_window.get());
    m_box->setObjectName(u"Text1"_s);
    layout->addWidget(m_box);
    m_button = new QPushButton(u"button"_s, m_window.get());
    m_button->setObjectName(u"Command1"_s);
    layout->addWidget(m_button);

    m_parallel = std::make_unique<review::ParallelLists>(m_lists);
    m_parallel->passFocusToLeading(m_box);
    for (const QString& name : { u"甲"_s, u"乙"_s, u"丙"_s, u"丁"_s })
        m_parallel->appendRow({ name, name + u"厂"_s, name + u"规格"_s });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_button->setFocus();
}

void TestParallelLists::cleanup()
{
    m_parallel.reset();
    m_window.reset();
}

QList<int> TestParallelLists::selectedRows() const
{
    QList<int> rows;
    for (const QListWidget* list : m_lists) {
        const auto selected = list->selectedItems();
        rows << (selected.size() == 1 ? list->row(selected.first()) : -selected.size() - 1);
    }
    return rows;
}

void TestParallelLists::rowChosenAnywhereIsChosenEverywhere_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("row");
    QTest::newRow("leading list") << 0 << 2;
    QTest::newRow("middle list") << 1 << 3;
    QTest::newRow("last list") << 2 << 1;
}

void TestParallelLists::rowChosenAnywhereIsChosenEverywhere()
{
    QFETCH(int, list);
    QFETCH(int, row);
    QListWidget* clicked = m_lists.at(list);
    const QRect place = clicked->visualItemRect(clicked->item(row));
    QTest::mouseClick(clicked->viewport(), Qt::LeftButton, {}, place.center());

    QCOMPARE(selectedRows(), (QList<int> { row, row, row }));
    QCOMPARE(m_parallel->currentRow(), row);
    QCOMPARE(m_parallel->rowTexts(row).value(2), m_lists.at(2)->item(row)->text());
    QCOMPARE(focusName(), u"List1"_s);
}

void TestParallelLists::keysInLeadingListMoveAll_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("to");
    QTest::newRow("down") << 1 << Qt::Key_Down << 2;
    QTest::newRow("up") << 1 << Qt::Key_Up << 0;
    QTest::newRow("end") << 0 << Qt::Key_End << 3;
}

void TestParallelLists::keysInLeadingListMoveAll()
{
    QFETCH(int, from);
    QFETCH(Qt::Key, key);
    QFETCH(int, to);
    m_parallel->selectRow(from);
    m_parallel->leading()->setFocus();
    QTest::keyClick(m_parallel->leading(), key);
    QCOMPARE(selectedRows(), (QList<int> { to, to, to }));
}

void TestParallelLists::focusPassesToLeadingList_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("another list") << u"List3"_s;
    QTest::newRow("a display box") << u"Text1"_s;
}

void TestParallelLists::focusPassesToLeadingList()
{
    QFETCH(QString, target);
    m_parallel->selectRow(1);
    m_window->findChild<QWidget*>(target)->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusName(), u"List1"_s);
    // taking the focus chooses nothing new
    QCOMPARE(selectedRows(), (QList<int> { 1, 1, 1 }));
}

void TestParallelLists::focusStaysWhileListsAreDisabled()
{
    m_parallel->setEnabled(false);
    m_box->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusName(), u"Text1"_s);
    for (const QListWidget* list : m_lists)
        QVERIFY(!list->isEnabled());
}

void TestParallelLists::findIsExact_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::newRow("equal") << u"丙"_s << 2;
    QTest::newRow("part of a name") << u"丙厂"_s << -1;
    QTest::newRow("another list's text") << u"乙厂"_s << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestParallelLists::findIsExact()
{
    QFETCH(QString, text);
    QFETCH(int, row);
    m_parallel->appendRow({ u"Abc"_s });
    m_parallel->appendRow({ u"ａｂｃ"_s });
    QCOMPARE(m_parallel->findLeading(text), row);
    QCOMPARE(m_parallel->findLeading(u"abc"_s), -1);
    QCOMPARE(m_parallel->findLeading(u"Abc"_s), 4);
}

void TestParallelLists::refillDropsTheChoice()
{
    m_parallel->selectRow(2);
    m_parallel->clear();
    m_parallel->appendRow({ u"甲"_s });
    QCOMPARE(m_parallel->rowCount(), 1);
    QCOMPARE(m_parallel->currentRow(), -1);
    QCOMPARE(m_lists.at(2)->count(), 1);
    QCOMPARE(m_parallel->rowTexts(0), (QStringList { u"甲"_s, QString(), QString() }));
}

QTEST_MAIN(TestParallelLists)
#include "test_parallel_lists.moc"
