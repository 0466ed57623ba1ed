#include "maintenance/short_path.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestShortPath final : public QObject
{
    Q_OBJECT

private slots:
    void ansiLength_data();
    void ansiLength();
    void shortenPath_data();
    void shortenPath();
    void shownPath_data();
    void shownPath();
    void pathInFolder_data();
    void pathInFolder();
};

void TestShortPath::ansiLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("ASCII") << u"/home/a.bak"_s << 11;
    QTest::newRow("Chinese counts two bytes") << u"/数据/备份"_s << 10;
    QTest::newRow("outside the common range counts four") << u"𠀀"_s << 4;
}

void TestShortPath::ansiLength()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(maintenance::ansiLength(text), bytes);
}

void TestShortPath::shortenPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("shown");

    QTest::newRow("fits after the first step") << u"/home/clerk/quenvale/backup/2004121.bak"_s << u"2004121.bak"_s << 45
                                               << u"/home/....../quenvale/backup/2004121.bak"_s;
    QTest::newRow("second round drops one more")
        << u"/home/clerk/documents/quenvale/backup/2004121.bak"_s << u"2004121.bak"_s << 42
        << u"/home/....../quenvale/backup/2004121.bak"_s;
    // the third round works on a text that has lost a part, so it drops the two directories after the gap
    QTest::newRow("third round drops two") << u"/home/clerk/documents/quenvale/backup/2004121.bak"_s << u"2004121.bak"_s
                                           << 32 << u"/home/....../2004121.bak"_s;
    QTest::newRow("Chinese folders counted in bytes")
        << u"/home/会计部/药品批发/数据备份/2004121.bak"_s << u"2004121.bak"_s << 35
        << u"/home/....../数据备份/2004121.bak"_s;
    QTest::newRow("only the gap and the file left")
        << u"/home/clerk/quenvale/backup/2004121.bak"_s << u"2004121.bak"_s << 10 << u"/home/....../2004121.bak"_s;
    QTest::newRow("file pattern") << u"/home/clerk/quenvale/backup/*.bak"_s << u"*.bak"_s << 55
                                  << u"/home/....../quenvale/backup/*.bak"_s;
    QTest::newRow("a folder named like the file")
        << u"/home/2004121.bak/quenvale/backup/2004121.bak"_s << u"2004121.bak"_s << 45
        << u"/home/....../quenvale/backup/2004121.bak"_s;
    QTest::newRow("last part missing") << u"/home/clerk/quenvale/backup/x.bak"_s << u"2004121.bak"_s << 10
                                       << u"/home/clerk/quenvale/backup/x.bak"_s;
    QTest::newRow("nothing can give way")
        << u"/一个很长很长很长很长很长很长很长的文件夹名/2004121.bak"_s << u"2004121.bak"_s << 45
        << u"/一个很长很长很长很长很长很长很长的文件夹名/2004121.bak"_s;
}

void TestShortPath::shortenPath()
{
    QFETCH(QString, path);
    QFETCH(QString, last);
    QFETCH(int, limit);
    QFETCH(QString, shown);
    QCOMPARE(maintenance::shortenPath(path, 3, last, limit), shown);
}

void TestShortPath::shownPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");

    const QString at49 = u"/home/clerk/quenvale/backup/archive1/20041231.bak"_s;
    QTest::newRow("49 bytes shown whole") << at49 << at49;
    // one byte over: shortened once even though the result would fit the label's 55 bytes
    QTest::newRow("50 bytes shortened") << u"/home/clerk/quenvale/backup/archives1/20041231.bak"_s
                                        << u"/home/....../quenvale/backup/archives1/20041231.bak"_s;
    QTest::newRow("36 characters but 50 bytes") << u"/home/会计/药品批发公司/数据文件/备份/20041231.bak"_s
                                                << u"/home/....../药品批发公司/数据文件/备份/20041231.bak"_s;
}

void TestShortPath::shownPath()
{
    QFETCH(QString, path);
    QFETCH(QString, shown);
    QCOMPARE(maintenance::ansiLength(path) > 49, path != shown);
    QCOMPARE(maintenance::shownPath(path, u"20041231.bak"_s, 55), shown);
}

void TestShortPath::pathInFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("root") << u"/"_s << u"/2004121.bak"_s;
    QTest::newRow("folder") << u"/media/usb"_s << u"/media/usb/2004121.bak"_s;
}

void TestShortPath::pathInFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(maintenance::pathInFolder(folder, u"2004121.bak"_s), path);
}

QTEST_GUILESS_MAIN(TestShortPath)
#include "test_short_path.moc"
