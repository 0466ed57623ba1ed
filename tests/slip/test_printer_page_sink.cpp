#include "pdf_facts.h"
#include "platform/data_folder.h"
#include "platform/printer_page_sink.h"
#include "support/fake_platform.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QSizeF slipSizeMm(11745 * 25.4 / 1440, 4920 * 25.4 / 1440);

QPicture pageWith(const QString& text)
{
    QPicture picture;
    QPainter painter(&picture);
    QFont font(u"Noto Serif CJK SC"_s);
    font.setPixelSize(195);
    painter.setFont(font);
    painter.drawText(QPoint(40, 1600), text);
    return picture;
}

} // namespace

class TestPrinterPageSink final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filePath_data();
    void filePath();
    void takenNameGetsACount();
    void onePdfARun();
    void unwritableFolder();
    void abortRemovesTheFile();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<testsupport::FakeClock> m_clock;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<platform::PrinterPageSink> m_sink;
    QString m_savedDataFolder;
};

void TestPrinterPageSink::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_clock = std::make_unique<testsupport::FakeClock>();
    m_printer = std::make_unique<QPrinter>();
    m_sink = std::make_unique<platform::PrinterPageSink>(*m_printer, [] { return false; });
    m_savedDataFolder = platform::dataFolder();
    platform::setDataFolder(m_folder->path());
}

void TestPrinterPageSink::cleanup()
{
    platform::setDataFolder(m_savedDataFolder);
    m_sink.reset();
    m_printer.reset();
    m_clock.reset();
    m_folder.reset();
}

void TestPrinterPageSink::filePath_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QString>("name");
    QTest::newRow("sales number") << u"XH00000000001Q"_s << u"XH00000000001Q-20040705-090533.pdf"_s;
    QTest::newRow("no sales number") << QString() << u"slip-20040705-090533.pdf"_s;
    QTest::newRow("folders and blanks kept out") << u"../x y/z"_s << u"___x_y_z-20040705-090533.pdf"_s;
    QTest::newRow("overlong name cut") << QString(100, u'9') << QString(64, u'9') + u"-20040705-090533.pdf"_s;
}

void TestPrinterPageSink::filePath()
{
    QFETCH(QString, job);
    QFETCH(QString, name);
    const QString path = platform::slipFilePath(m_folder->path(), job, m_clock->now());
    QCOMPARE(path, QDir(m_folder->path()).filePath(name));
}

void TestPrinterPageSink::takenNameGetsACount()
{
    const QDir folder(m_folder->path());
    for (const QString& name : { u"XH1-20040705-090533.pdf"_s, u"XH1-20040705-090533-2.pdf"_s }) {
        QFile taken(folder.filePath(name));
        QVERIFY(taken.open(QIODevice::WriteOnly));
    }
    QCOMPARE(platform::slipFilePath(folder.path(), u"XH1"_s, m_clock->now()),
             folder.filePath(u"XH1-20040705-090533-3.pdf"_s));
}

void TestPrinterPageSink::onePdfARun()
{
    QVERIFY(m_sink->begin(u"XH00000000001Q"_s, slipSizeMm));
    QVERIFY(m_sink->printPage(pageWith(u"第一页"_s)));
    QVERIFY(m_sink->printPage(pageWith(u"第二页"_s)));
    QVERIFY(m_sink->end());

    const QString path = QDir(m_folder->path()).filePath(u"slips/XH00000000001Q-20040705-090533.pdf"_s);
    QCOMPARE(m_sink->writtenFile(), path);
    const testsupport::PdfFacts pdf = testsupport::readPdf(path);
    QCOMPARE(pdf.pages, 2);
    QCOMPARE(pdf.mediaBoxes, QList<QSizeF>(2, QSizeF(587, 246)));
    QCOMPARE(pdf.fonts, QStringList { u"NotoSerifCJKsc-Regular"_s });

    // the next run starts afresh
    m_clock->set(m_clock->now().addSecs(1));
    QVERIFY(m_sink->begin(u"XH00000000002Q"_s, slipSizeMm));
    QVERIFY(m_sink->printPage(pageWith(u"第一页"_s)));
    QVERIFY(m_sink->end());
    QCOMPARE(testsupport::readPdf(m_sink->writtenFile()).pages, 1);
}

void TestPrinterPageSink::unwritableFolder()
{
    // a file where the data folder should be: no folder can be made in it
    const QString blocked = QDir(m_folder->path()).filePath(u"blocked"_s);
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    platform::setDataFolder(blocked);

    QVERIFY(!m_sink->begin(u"XH00000000001Q"_s, slipSizeMm));
    QVERIFY2(m_sink->errorText().startsWith(u"无法建立文件夹"_s), qPrintable(m_sink->errorText()));
    QVERIFY(m_sink->writtenFile().isEmpty());
}

void TestPrinterPageSink::abortRemovesTheFile()
{
    QVERIFY(m_sink->begin(u"XH00000000001Q"_s, slipSizeMm));
    QVERIFY(m_sink->printPage(pageWith(u"第一页"_s)));
    m_sink->abort();
    QCOMPARE(QDir(m_folder->path() + u"/slips"_s).entryList(QDir::Files), QStringList {});
    QVERIFY(m_sink->writtenFile().isEmpty());
}

QTEST_MAIN(TestPrinterPageSink)
#include "test_printer_page_sink.moc"
