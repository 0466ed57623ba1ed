#include "platform/data_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDataFolder final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choice_data();
    void choice();

private:
    QTemporaryDir m_scratch;
};

void TestDataFolder::initTestCase()
{
    // <scratch>/link is another name of <scratch>/real, as /bin is of /usr/bin on a merged system
    QVERIFY(m_scratch.isValid());
    QVERIFY(QDir(m_scratch.path()).mkpath(u"real/bin"_s));
    QVERIFY(QFile::link(m_scratch.filePath(u"real"_s), m_scratch.filePath(u"link"_s)));
}

void TestDataFolder::choice_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("executableFolder");
    QTest::addColumn<QString>("installFolder");
    QTest::addColumn<QString>("userDataFolder");
    QTest::addColumn<QString>("expected");

    const QString userData = u"/home/clerk/.local/share/Quenvale"_s;
    const QString working = u"/home/clerk/work"_s;
    const QString buildFolder = u"/home/clerk/quenvale/build/src"_s;

    QTest::newRow("installed") << QString() << u"/usr/bin"_s << u"/usr/bin"_s << userData << userData;
    QTest::newRow("source tree") << QString() << buildFolder << u"/usr/bin"_s << userData << working;
    QTest::newRow("package unpacked in a scratch root")
        << QString() << u"/tmp/root/usr/bin"_s << u"/usr/bin"_s << userData << working;
    QTest::newRow("install folder written untidily")
        << QString() << u"/usr/bin"_s << u"/usr/./bin/"_s << userData << userData;
    QTest::newRow("install folder reached through a link")
        << QString() << m_scratch.filePath(u"real/bin"_s) << m_scratch.filePath(u"link/bin"_s) << userData << userData;
    QTest::newRow("nothing known of the executable") << QString() << QString() << QString() << userData << working;
    QTest::newRow("installed, the system names no user data location")
        << QString() << u"/usr/bin"_s << u"/usr/bin"_s << QString() << QString();
    QTest::newRow("--data-dir wins when installed")
        << u"/srv/quenvale"_s << u"/usr/bin"_s << u"/usr/bin"_s << userData << u"/srv/quenvale"_s;
    QTest::newRow("--data-dir wins in the source tree")
        << u"/srv/quenvale"_s << buildFolder << u"/usr/bin"_s << userData << u"/srv/quenvale"_s;
    QTest::newRow("relative --data-dir from the working folder")
        << u"data"_s << u"/usr/bin"_s << u"/usr/bin"_s << userData << working + u"/data"_s;
}

void TestDataFolder::choice()
{
    QFETCH(QString, requested);
    QFETCH(QString, executableFolder);
    QFETCH(QString, installFolder);
    QFETCH(QString, userDataFolder);
    QFETCH(QString, expected);

    QCOMPARE(platform::chooseDataFolder(
                 { requested, executableFolder, installFolder, u"/home/clerk/work"_s, userDataFolder }),
             expected);
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "test_data_folder.moc"
