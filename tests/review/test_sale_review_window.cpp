#include "platform/twips.h"
#include "review/sale_review_window.h"
#include "review_fixture.h"
#include "transaction/working_set.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using reviewtests::focusName;
using reviewtests::saleLine;
using transaction::workingSet;

namespace {

const QStringList boxNames { u"Text1"_s, u"Text2"_s, u"Text3"_s, u"Text4"_s, u"Text5"_s,
                             u"Text6"_s, u"Text7"_s, u"Text8"_s, u"Text9"_s, u"Text10"_s };

/** Lines 1, 2 and 5 in use, 3 and 4 empty: a first page continued with gaps. */
void fillGappedSale()
{
    reviewtests::setLines({
        { 1, saleLine(u"阿莫西林"_s, u"10"_s, u"2.50"_s, u"25.00"_s, u"2.00"_s) },
        { 2, saleLine(u"维生素C"_s, u"4"_s, u"2.00"_s, u"8.00"_s, u"1.50"_s) },
        { 5, saleLine(u"葡萄糖注射液"_s, u"3"_s, u"3.00"_s, u"9.00"_s, u"2.00"_s, u"针剂"_s) },
    });
    workingSet().SerialText = u"XH00000000012Q"_s;
    workingSet().CustomerUnit = u"仁和药店"_s;
    workingSet().StoredFlag = true;
}

} // namespace

class TestSaleReviewWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void filling_data();
    void filling();
    void find_data();
    void find();
    void beginEditWithoutTarget_data();
    void beginEditWithoutTarget();
    void beginEdit();
    void keyFilters_data();
    void keyFilters();
    void enterMovesOn_data();
    void enterMovesOn();
    void amountRecalculation_data();
    void amountRecalculation();
    void purchasePriceQuestion_data();
    void purchasePriceQuestion();
    void confirm_data();
    void confirm();
    void cancelWritesNothing();
    void leaving_data();
    void leaving();
    void logWordingByRole_data();
    void logWordingByRole();

private:
    void openWindow();
    /** Selects the row and begins editing it; the focus is then in the quantity box. */
    void editRow(int row);
    QListWidget* list(int n) const { return m_fixture->control<QListWidget>(u"List%1"_s.arg(n)); }
    QLineEdit* box(int n) const { return m_fixture->control<QLineEdit>(u"Text%1"_s.arg(n)); }
    QStringList column(int n) const;
    /** The selected row of each list; -1 for none, lower for several. */
    QList<int> selectedRows() const;
    /** Replaces a box's text as typing it would, through the key filter. */
    void retype(int n, const QString& text);
    void pressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    std::unique_ptr<reviewtests::ReviewFixture> m_fixture;
};

void TestSaleReviewWindow::init()
{
    m_fixture = std::make_unique<reviewtests::ReviewFixture>();
}

void TestSaleReviewWindow::cleanup()
{
    QString problem;
    const bool done = m_fixture->finish(&problem);
    m_fixture.reset();
    QVERIFY2(done, qPrintable(problem));
}

void TestSaleReviewWindow::openWindow()
{
    m_fixture->open(new review::SaleReviewWindow);
}

void TestSaleReviewWindow::editRow(int row)
{
    list(1)->setCurrentRow(row);
    m_fixture->click(u"Command3"_s);
    QCOMPARE(focusName(), u"Text3"_s);
}

QStringList TestSaleReviewWindow::column(int n) const
{
    QStringList texts;
    for (int row = 0; row < list(n)->count(); ++row)
        texts << list(n)->item(row)->text();
    return texts;
}

QList<int> TestSaleReviewWindow::selectedRows() const
{
    // the selection, not the current row: a list taking the focus makes a row current without choosing it
    QList<int> rows;
    for (int n = 1; n <= 10; ++n) {
        const auto selected = list(n)->selectedItems();
        rows << (selected.size() == 1 ? list(n)->row(selected.first()) : -selected.size() - 1);
    }
    return rows;
}

void TestSaleReviewWindow::retype(int n, const QString& text)
{
    box(n)->setFocus(Qt::MouseFocusReason);
    box(n)->selectAll();
    QTest::keyClick(box(n), Qt::Key_Backspace);
    // keyClicks() takes Latin-1 only; these are the key presses a Chinese keyboard delivers
    for (const QChar c : text) {
        if (c == u'\b')
            QTest::keyClick(box(n), Qt::Key_Backspace);
        else
            QTest::sendKeyEvent(QTest::Click, box(n), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void TestSaleReviewWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("Label1") << u"Label1"_s << u"交易确认"_s << true << true;
    const QStringList headings { u"药品名称"_s, u"药品制造商"_s, u"数 量"_s,  u"单价"_s,   u"金  额"_s,
                                 u"规 格"_s,    u"单位"_s,       u"批  号"_s, u"有效期"_s, u"类型"_s };
    const QStringList headingNames { u"Label3"_s, u"Label10"_s, u"Label4"_s, u"Label5"_s,  u"Label6"_s,
                                     u"Label8"_s, u"Label9"_s,  u"Label7"_s, u"Label14"_s, u"Label17"_s };
    for (qsizetype i = 0; i < headings.size(); ++i)
        QTest::newRow(qPrintable(headingNames.at(i))) << headingNames.at(i) << headings.at(i) << true << true;
    QTest::newRow("Command5") << u"Command5"_s << u"查找"_s << true << true;
    QTest::newRow("Command3") << u"Command3"_s << u"修 改"_s << true << true;
    QTest::newRow("Command4") << u"Command4"_s << u"确  认"_s << false << true;
    QTest::newRow("Command2") << u"Command2"_s << u"取 消"_s << false << true;
    QTest::newRow("Command1") << u"Command1"_s << u"返  回"_s << true << true;
    QTest::newRow("List10") << u"List10"_s << QString() << true << true;
    QTest::newRow("Text1 display only") << u"Text1"_s << QString() << false << false;
    QTest::newRow("Text5 display only") << u"Text5"_s << QString() << false << false;
    QTest::newRow("Text7 display only") << u"Text7"_s << QString() << false << false;
    QTest::newRow("Text10") << u"Text10"_s << QString() << false << true;
}

void TestSaleReviewWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    openWindow();

    QCOMPARE(m_fixture->window()->objectName(), u"查看本次交易"_s);
    QCOMPARE(m_fixture->window()->windowTitle(), u"Tarnwell"_s);
    QCOMPARE(m_fixture->window()->size(), QSize(platform::pixels(11850), platform::pixels(6465)));
    auto* widget = m_fixture->control<QWidget>(name);
    QVERIFY(widget);
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), caption);
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
    QCOMPARE(widget->isVisible(), visible);
    QCOMPARE(widget->isEnabled(), enabled);
}

void TestSaleReviewWindow::filling_data()
{
    QTest::addColumn<bool>("gapped");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("lines 1, 2 and 5") << true << QStringList { u"阿莫西林"_s, u"维生素C"_s, u"葡萄糖注射液"_s };
    QTest::newRow("empty sale: one empty row") << false << QStringList { QString() };
}

void TestSaleReviewWindow::filling()
{
    QFETCH(bool, gapped);
    QFETCH(QStringList, names);
    if (gapped)
        fillGappedSale();
    openWindow();

    QCOMPARE(column(1), names);
    for (int n = 2; n <= 10; ++n)
        QCOMPARE(list(n)->count(), names.size());
    QCOMPARE(selectedRows(), QList<int>(10, -1));
    if (!gapped)
        return;
    // row 3 is line 5, column by column
    QStringList row3;
    for (int n = 1; n <= 10; ++n)
        row3 << list(n)->item(2)->text();
    QCOMPARE(row3,
             (QStringList { u"葡萄糖注射液"_s, u"华北制药"_s, u"3"_s, u"3.00"_s, u"9.00"_s, u"0.25g*24"_s, u"盒"_s,
                            u"B0401"_s, u"2006-01"_s, u"针剂"_s }));
}

void TestSaleReviewWindow::find_data()
{
    QTest::addColumn<QString>("answer"); // empty: the box was cancelled
    QTest::addColumn<int>("row"); // -1: nothing selected
    QTest::addColumn<QString>("message");

    QTest::newRow("hit selects the row in every list") << u"葡萄糖注射液"_s << 2 << QString();
    QTest::newRow("miss") << u"青霉素"_s << -1 << u"本次交易无此药品!"_s;
    QTest::newRow("part of a name misses") << u"维生素"_s << -1 << u"本次交易无此药品!"_s;
    QTest::newRow("case counts") << u"维生素c"_s << -1 << u"本次交易无此药品!"_s;
    QTest::newRow("cancelled") << QString() << -1 << QString();
}

void TestSaleReviewWindow::find()
{
    QFETCH(QString, answer);
    QFETCH(int, row);
    QFETCH(QString, message);
    fillGappedSale();
    openWindow();

    m_fixture->dialogs().expectInput(u"请输入查找药品名:"_s, answer);
    if (!message.isEmpty())
        m_fixture->dialogs().expect(message);
    m_fixture->click(u"Command5"_s);

    const auto& asked = m_fixture->dialogs().shown().first();
    QCOMPARE(asked.prompt.text, u"\r\n\r\n请输入查找药品名:"_s);
    QCOMPARE(asked.prompt.title, u"查找"_s);
    QCOMPARE(selectedRows(), QList<int>(10, row));
    QCOMPARE(m_fixture->logged().size(), 1);
}

void TestSaleReviewWindow::beginEditWithoutTarget_data()
{
    QTest::addColumn<bool>("gapped");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("changeSale");

    QTest::newRow("no row selected") << true << -1 << false;
    QTest::newRow("empty line 1 row") << false << 0 << false;
    QTest::newRow("row no line shows any more") << true << 1 << true;
}

void TestSaleReviewWindow::beginEditWithoutTarget()
{
    QFETCH(bool, gapped);
    QFETCH(int, row);
    QFETCH(bool, changeSale);
    if (gapped)
        fillGappedSale();
    openWindow();
    list(1)->setCurrentRow(row);
    // a sale changed by an entry window left open beside the review
    if (changeSale)
        workingSet().TransactionLines[2].quantity = u"5"_s;
    const transaction::WorkingSet before = workingSet();

    m_fixture->click(u"Command3"_s);

    QVERIFY(m_fixture->control<QPushButton>(u"Command3"_s)->isVisible());
    QVERIFY(!m_fixture->control<QPushButton>(u"Command4"_s)->isVisible());
    QVERIFY(!box(3)->isVisible());
    QVERIFY(list(1)->isEnabled());
    QCOMPARE(workingSet().TransactionLines[1000].name, before.TransactionLines[1000].name);
}

void TestSaleReviewWindow::beginEdit()
{
    fillGappedSale();
    openWindow();
    editRow(1);

    QStringList texts;
    for (int n = 1; n <= 10; ++n)
        texts << box(n)->text();
    QCOMPARE(texts,
             (QStringList { u"维生素C"_s, u"华北制药"_s, u"4"_s, u"2.00"_s, u"8.00"_s, u"0.25g*24"_s, u"盒"_s,
                            u"B0401"_s, u"2006-01"_s, u"片剂"_s }));
    for (int n = 1; n <= 10; ++n) {
        QVERIFY(box(n)->isVisible());
        QVERIFY(!list(n)->isEnabled());
    }
    QVERIFY(!m_fixture->control<QPushButton>(u"Command3"_s)->isVisible());
    QVERIFY(m_fixture->control<QPushButton>(u"Command4"_s)->isVisible());
    QVERIFY(m_fixture->control<QPushButton>(u"Command2"_s)->isVisible());
    QVERIFY(m_fixture->control<QPushButton>(u"Command1"_s)->isVisible());
}

void TestSaleReviewWindow::keyFilters_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("quantity drops the point") << 3 << u"1.5"_s << u"15"_s;
    QTest::newRow("quantity keeps backspace") << 3 << u"12a\b3"_s << u"13"_s;
    QTest::newRow("price takes the point") << 4 << u"1.5x-"_s << u"1.5"_s;
    QTest::newRow("packing size takes anything") << 6 << u"2.5g*1-x"_s << u"2.5g*1-x"_s;
}

void TestSaleReviewWindow::keyFilters()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    fillGappedSale();
    openWindow();
    editRow(0);
    retype(box, typed);
    QCOMPARE(this->box(box)->text(), shown);
}

void TestSaleReviewWindow::enterMovesOn_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("quantity to price") << 3 << u"Text4"_s;
    QTest::newRow("price to packing size") << 4 << u"Text6"_s;
    QTest::newRow("packing size to batch number") << 6 << u"Text8"_s;
    QTest::newRow("batch number to expiry") << 8 << u"Text9"_s;
    QTest::newRow("expiry to type") << 9 << u"Text10"_s;
    QTest::newRow("type to confirm") << 10 << u"Command4"_s;
    QTest::newRow("maker stays") << 2 << u"Text2"_s;
}

void TestSaleReviewWindow::enterMovesOn()
{
    QFETCH(int, from);
    QFETCH(QString, to);
    fillGappedSale();
    openWindow();
    editRow(0);
    box(from)->setFocus(Qt::MouseFocusReason);
    pressEnter();
    QCOMPARE(focusName(), to);
}

void TestSaleReviewWindow::amountRecalculation_data()
{
    QTest::addColumn<int>("leaving"); // the box whose leaving recalculates
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("amount");

    QTest::newRow("quantity 10 to 12 at 2.50") << 3 << u"12"_s << u"2.50"_s << u"30.00"_s;
    QTest::newRow("price with a point") << 4 << u"10"_s << u"3.5"_s << u"35.00"_s;
    QTest::newRow("lone point keeps the amount") << 4 << u"10"_s << u"."_s << u"25.00"_s;
    QTest::newRow("two points keep the amount") << 4 << u"10"_s << u"1.2.3"_s << u"25.00"_s;
    QTest::newRow("empty quantity keeps the amount") << 3 << QString() << u"2.50"_s << u"25.00"_s;
    QTest::newRow("empty price keeps the amount") << 4 << u"12"_s << QString() << u"25.00"_s;
}

void TestSaleReviewWindow::amountRecalculation()
{
    QFETCH(int, leaving);
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, amount);
    fillGappedSale();
    workingSet().TransactionLines[1].purchasePrice = QString();
    openWindow();
    editRow(0);

    box(3)->setText(quantity);
    box(4)->setText(price);
    box(leaving)->setFocus(Qt::MouseFocusReason);
    box(6)->setFocus(Qt::MouseFocusReason);
    QCOMPARE(box(5)->text(), amount);
}

void TestSaleReviewWindow::purchasePriceQuestion_data()
{
    QTest::addColumn<QString>("purchasePrice");
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<QString>("focus");

    QTest::newRow("below, change it") << u"2.60"_s << u"2.5"_s << int(platform::Answer::Yes) << u"Text4"_s;
    QTest::newRow("below, keep it") << u"2.60"_s << u"2.5"_s << int(platform::Answer::No) << u"Text6"_s;
    QTest::newRow("equal asks nothing") << u"2.5"_s << u"2.50"_s << -1 << u"Text6"_s;
    QTest::newRow("no purchase price") << QString() << u"0.01"_s << -1 << u"Text6"_s;
}

void TestSaleReviewWindow::purchasePriceQuestion()
{
    QFETCH(QString, purchasePrice);
    QFETCH(QString, price);
    QFETCH(int, answer);
    QFETCH(QString, focus);
    fillGappedSale();
    workingSet().TransactionLines[1].purchasePrice = purchasePrice;
    openWindow();
    editRow(0);
    if (answer >= 0)
        m_fixture->dialogs().expect(u"低于进价 "_s + purchasePrice + u" ,是否修改?"_s, platform::Answer(answer));

    pressEnter();
    retype(4, price);
    pressEnter();
    QCOMPARE(focusName(), focus);
    if (answer >= 0) {
        QCOMPARE(m_fixture->dialogs().last().prompt.buttons, platform::Buttons::YesNo);
        QCOMPARE(m_fixture->dialogs().last().prompt.icon, platform::Icon::Question);
    }
}

void TestSaleReviewWindow::confirm_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("selectedAfter");

    QTest::newRow("first row selects the next") << 0 << 1 << 1;
    QTest::newRow("middle row selects the next") << 1 << 2 << 2;
    QTest::newRow("last row stays selected") << 2 << 5 << 2;
}

void TestSaleReviewWindow::confirm()
{
    QFETCH(int, row);
    QFETCH(int, line);
    QFETCH(int, selectedAfter);
    fillGappedSale();
    openWindow();
    editRow(row);
    const QString name = box(1)->text();
    const QString purchasePrice = workingSet().TransactionLines[static_cast<size_t>(line)].purchasePrice;

    retype(3, u"12"_s);
    retype(4, u"2.5"_s);
    retype(10, u"器械"_s);
    m_fixture->click(u"Command4"_s);

    const transaction::Line& corrected = workingSet().TransactionLines[static_cast<size_t>(line)];
    QCOMPARE(corrected.name, name);
    QCOMPARE(corrected.quantity, u"12"_s);
    QCOMPARE(corrected.unitPrice, u"2.5"_s); // as typed
    QCOMPARE(corrected.amount, u"30.00"_s);
    QCOMPARE(corrected.drugType, u"器械"_s);
    QCOMPARE(corrected.purchasePrice, purchasePrice);

    // the other two lines keep their amounts; the type moved into a zone of its own
    const double others = 25.0 + 8.0 + 9.0 - (row == 0 ? 25.0 : row == 1 ? 8.0 : 9.0);
    QCOMPARE(workingSet().TotalAmount, others + 30.0);
    QCOMPARE(int(workingSet().TypedLineCount), 3);
    QCOMPARE(int(workingSet().SlipPageCount), row == 2 ? 2 : 3);
    QCOMPARE(workingSet().SerialText, u"XH00000000012Q"_s);
    QCOMPARE(workingSet().CustomerUnit, u"仁和药店"_s);
    QVERIFY(workingSet().StoredFlag);

    QCOMPARE(list(5)->item(row)->text(), u"30.00"_s);
    QCOMPARE(list(1)->count(), 3);
    QCOMPARE(selectedRows(), QList<int>(10, selectedAfter));
    QCOMPARE(focusName(), u"List1"_s);
    QVERIFY(!box(3)->isVisible());
    QVERIFY(list(1)->isEnabled());
    QVERIFY(m_fixture->control<QPushButton>(u"Command3"_s)->isVisible());
    QCOMPARE(m_fixture->logged().last(), u"制单员张三修改交易药品"_s + name + u",成功。"_s);
}

void TestSaleReviewWindow::cancelWritesNothing()
{
    fillGappedSale();
    openWindow();
    editRow(1);
    const transaction::Line before = workingSet().TransactionLines[2];
    retype(3, u"99"_s);
    retype(6, u"改"_s);
    m_fixture->click(u"Command2"_s);

    const transaction::Line& after = workingSet().TransactionLines[2];
    QCOMPARE(after.quantity, before.quantity);
    QCOMPARE(after.amount, before.amount);
    QCOMPARE(after.spec, before.spec);
    QCOMPARE(workingSet().TotalInWords, QString());
    for (int n = 1; n <= 10; ++n) {
        QVERIFY(list(n)->isEnabled());
        QVERIFY(!box(n)->isVisible());
    }
    QCOMPARE(list(3)->item(1)->text(), u"4"_s);
    QCOMPARE(focusName(), u"List1"_s);
    QVERIFY(m_fixture->control<QPushButton>(u"Command3"_s)->isVisible());
    QVERIFY(!m_fixture->control<QPushButton>(u"Command2"_s)->isVisible());
    QCOMPARE(m_fixture->logged().size(), 1);
}

void TestSaleReviewWindow::leaving_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("closes");

    QTest::newRow("return") << false << u"Command1"_s << true;
    QTest::newRow("return while editing") << true << u"Command1"_s << true;
    QTest::newRow("Esc") << false << u"Esc"_s << true;
    QTest::newRow("Esc while editing cancels") << true << u"Esc"_s << false;
    QTest::newRow("title bar") << false << u"close"_s << true;
}

void TestSaleReviewWindow::leaving()
{
    QFETCH(bool, editing);
    QFETCH(QString, how);
    QFETCH(bool, closes);
    fillGappedSale();
    openWindow();
    if (editing) {
        editRow(0);
        box(2)->setText(u"改过"_s);
    }

    if (how == u"Esc"_s)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else if (how == u"close"_s)
        m_fixture->window()->close();
    else
        m_fixture->click(how);

    QCOMPARE(m_fixture->isOpen(), !closes);
    QCOMPARE(workingSet().TransactionLines[1].maker, u"华北制药"_s);
    QStringList expected { u"制单员张三进入交易查看页面。"_s };
    if (closes)
        expected << u"制单员张三退出交易查看页面。"_s;
    else
        QVERIFY(list(1)->isEnabled());
    QCOMPARE(m_fixture->logged(), expected);
}

void TestSaleReviewWindow::logWordingByRole_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("super user") << u"super"_s
                                << QStringList { u"超级用户进入交易查看页面。"_s,
                                                 u"超级用户修改交易药品阿莫西林,成功。"_s,
                                                 u"超级用户退出交易查看页面。"_s };
    QTest::newRow("administrator") << u"Orsvan"_s
                                   << QStringList { u"系统管理员进入交易查看页面。"_s,
                                                    u"系统管理员修改交易药品阿莫西林,成功。"_s,
                                                    u"系统管理员退出交易查看页面。"_s };
    QTest::newRow("clerk") << u"李四"_s
                           << QStringList { u"制单员李四进入交易查看页面。"_s,
                                            u"制单员李四修改交易药品阿莫西林,成功。"_s,
                                            u"制单员李四退出交易查看页面。"_s };
}

void TestSaleReviewWindow::logWordingByRole()
{
    QFETCH(QString, user);
    QFETCH(QStringList, entries);
    m_fixture.reset();
    m_fixture = std::make_unique<reviewtests::ReviewFixture>(user);
    fillGappedSale();
    openWindow();
    editRow(0);
    m_fixture->click(u"Command4"_s);
    m_fixture->click(u"Command1"_s);
    QCOMPARE(m_fixture->logged(), entries);
}

QTEST_MAIN(TestSaleReviewWindow)
#include "test_sale_review_window.moc"
