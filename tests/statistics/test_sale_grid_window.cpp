#include "platform/database.h"
#include "platform/paged_table_model.h"
#include "sales_fixture.h"
#include "statistics/sale_grid.h"
#include "statistics/sale_grid_window.h"
#include "store/statements.h"
#include "support/fake_progress_bar.h"
#include "support/window_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using statistics::SaleGridColumn;
using statisticstests::Sale;

namespace {

constexpr int bigUnitLines = 2500;

/** Many lines of one unit, in one transaction: the amount of line i is i.00. */
void storeManyLines(testsupport::ScratchDatabase& scratch, const QString& unit, int count)
{
    platform::Transaction transaction(scratch.db());
    QVERIFY(transaction.isActive());
    for (int i = 1; i <= count; ++i) {
        QVERIFY(scratch.db().exec(u"INSERT INTO %1 (\"交易年\", \"交易月\", \"交易日\", \"交易药品名\", \"金额\") "
                                  u"VALUES (' 2004', ' 7', ' 1', ?, ?)"_s.arg(platform::quoteIdentifier(unit)),
                                  { u"药品%1"_s.arg(i), u"%1.00"_s.arg(i) }));
    }
    QVERIFY(transaction.commit());
}

} // namespace

class TestSaleGridWindow final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnThisMonthAndLogs();
    void readsAsItScrolls();
    void sortsByTheDatabaseAndExportsTheOrderShown();

private:
    platform::PagedTableModel* model() const;
    std::unique_ptr<testsupport::WindowFixture> m_f;
};

void TestSaleGridWindow::init()
{
    m_f = std::make_unique<testsupport::WindowFixture>();
    statisticstests::registerUnit(m_f->scratch(), u"甲"_s);
    Sale july;
    july.year = u" 2004"_s;
    july.month = u" 7"_s;
    july.day = u" 2"_s;
    july.amount = u"20.00"_s;
    Sale may;
    may.medicine = u"头孢"_s;
    statisticstests::storeSales(m_f->scratch(), u"甲"_s, { july, may });
}

void TestSaleGridWindow::cleanup()
{
    QString problem;
    QVERIFY2(m_f->finish(&problem), qPrintable(problem));
    m_f.reset();
}

platform::PagedTableModel* TestSaleGridWindow::model() const
{
    auto* table = m_f->control<QTableView>(u"table"_s);
    return table ? qobject_cast<platform::PagedTableModel*>(table->model()) : nullptr;
}

void TestSaleGridWindow::opensOnThisMonthAndLogs()
{
    m_f->open(new statistics::SaleGridWindow(m_f->scratch().db()));
    QVERIFY(m_f->window()->objectName() == u"saleGrid"_s);
    // the clock stands on 2004-07-05: this month's lines of every unit
    QCOMPARE(model()->rowCount(), 1);
    QCOMPARE(model()->text(0, int(SaleGridColumn::Date)), u"2004/7/2"_s);
    QCOMPARE(m_f->text(u"figures"_s), u"共 1 行，合计金额 20.00"_s);
    m_f->pressEscape();
    QTRY_VERIFY(!m_f->isOpen());
    QCOMPARE(m_f->logged(), (QStringList { u"系统管理员进入交易明细系统。"_s, u"系统管理员退出交易明细系统。"_s }));
}

void TestSaleGridWindow::readsAsItScrolls()
{
    statisticstests::registerUnit(m_f->scratch(), u"乙"_s);
    storeManyLines(m_f->scratch(), u"乙"_s, bigUnitLines);
    m_f->open(new statistics::SaleGridWindow(m_f->scratch().db()));
    m_f->choose(u"unitBox"_s, u"乙"_s);
    m_f->click(u"queryButton"_s);
    // the figures cover every line, the table holds one page until the view asks for more
    QCOMPARE(m_f->text(u"figures"_s), u"共 2500 行，合计金额 3126250.00"_s);
    QCOMPARE(model()->rowCount(), platform::PagedTableModel::rowsPerPage);
    QVERIFY(model()->canFetchMore({}));
    auto* table = m_f->control<QTableView>(u"table"_s);
    while (model()->canFetchMore({})) {
        const int before = model()->rowCount();
        table->scrollToBottom();
        QTRY_VERIFY(model()->rowCount() > before);
    }
    QCOMPARE(model()->rowCount(), bigUnitLines);
    QCOMPARE(model()->text(bigUnitLines - 1, int(SaleGridColumn::Amount)), u"2500.00"_s);
}

void TestSaleGridWindow::sortsByTheDatabaseAndExportsTheOrderShown()
{
    testsupport::FakeProgressBar progress;
    m_f->open(new statistics::SaleGridWindow(m_f->scratch().db()));
    m_f->choose(u"unitBox"_s, u"甲"_s);
    m_f->control<QCheckBox>(u"dateLimit"_s)->setChecked(false);
    m_f->type(u"medicineBox"_s, QString());
    m_f->pressEnter(u"medicineBox"_s);
    QCOMPARE(m_f->text(u"figures"_s), u"共 2 行，合计金额 32.50"_s);
    QCOMPARE(model()->text(0, int(SaleGridColumn::Medicine)), u"阿莫西林"_s);

    m_f->control<QTableView>(u"table"_s)->sortByColumn(int(SaleGridColumn::Amount), Qt::AscendingOrder);
    QCOMPARE(model()->text(0, int(SaleGridColumn::Medicine)), u"头孢"_s);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"明细.csv"_s);
    m_f->dialogs().expectSaveFile(path);
    m_f->dialogs().expect(u"已导出 2 行到文件：\n%1"_s.arg(QDir::toNativeSeparators(path)));
    m_f->click(u"exportButton"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines.at(1).startsWith("2003/5/7,甲,头孢,"));
    QVERIFY(lines.at(2).startsWith("2004/7/2,甲,阿莫西林,"));
    QCOMPARE(progress.totals, QList<qint64> { 2 });
}

QTEST_MAIN(TestSaleGridWindow)
#include "test_sale_grid_window.moc"
