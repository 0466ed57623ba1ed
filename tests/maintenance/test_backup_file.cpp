#include "maintenance/backup_file.h"

#include <QBuffer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using maintenance::DecodeOutcome;

class TestBackupFile final : public QObject
{
    Q_OBJECT

private slots:
    void fileName_data();
    void fileName();
    void encodesAndDecodes_data();
    void encodesAndDecodes();
    void refusesWhatIsNotABackup_data();
    void refusesWhatIsNotABackup();
};

void TestBackupFile::fileName_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("name");
    QTest::newRow("5 June") << QDate(2004, 6, 5) << u"200465.bak"_s;
    QTest::newRow("21 January") << QDate(2004, 1, 21) << u"2004121.bak"_s;
    QTest::newRow("1 December shares the name") << QDate(2004, 12, 1) << u"2004121.bak"_s;
    QTest::newRow("two-digit month and day") << QDate(2026, 11, 30) << u"20261130.bak"_s;
}

void TestBackupFile::fileName()
{
    QFETCH(QDate, day);
    QFETCH(QString, name);
    QCOMPARE(maintenance::backupFileName(day), name);
}

void TestBackupFile::encodesAndDecodes_data()
{
    QTest::addColumn<QByteArray>("database");
    QTest::addColumn<QByteArray>("stored"); ///< what follows the magic

    QByteArray everyValue;
    QByteArray everyValueStored;
    for (int value = 0; value < 256; ++value) {
        everyValue.append(char(value));
        everyValueStored.append(char((value + 1) % 256));
    }
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("all 255 stored as 0") << QByteArray(1000, '\xff') << QByteArray(1000, '\0');
    QTest::newRow("every byte value") << everyValue << everyValueStored;
    // more than one block of the streaming, with a block boundary inside the data
    QTest::newRow("several blocks") << everyValue.repeated(700) << everyValueStored.repeated(700);
}

void TestBackupFile::encodesAndDecodes()
{
    QFETCH(QByteArray, database);
    QFETCH(QByteArray, stored);

    QBuffer source(&database);
    QByteArray backupBytes;
    QBuffer backup(&backupBytes);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QVERIFY(backup.open(QIODevice::WriteOnly));
    QVERIFY(maintenance::encodeBackup(source, backup));
    QCOMPARE(backupBytes, "Quenvale"_ba + stored);

    QByteArray restoredBytes;
    QBuffer restored(&restoredBytes);
    backup.close();
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QVERIFY(restored.open(QIODevice::WriteOnly));
    QCOMPARE(maintenance::decodeBackup(backup, restored), DecodeOutcome::Decoded);
    QCOMPARE(restoredBytes, database);
}

void TestBackupFile::refusesWhatIsNotABackup_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("shorter than the magic") << "Quenval"_ba;
    QTest::newRow("another magic") << "QuenvalX"_ba + QByteArray(100, '\1');
    QTest::newRow("magic in other letter case") << "QUENVALE"_ba + QByteArray(100, '\1');
}

void TestBackupFile::refusesWhatIsNotABackup()
{
    QFETCH(QByteArray, file);
    QBuffer backup(&file);
    QByteArray written;
    QBuffer database(&written);
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QVERIFY(database.open(QIODevice::WriteOnly));
    QCOMPARE(maintenance::decodeBackup(backup, database), DecodeOutcome::NotABackup);
    QVERIFY(written.isEmpty());
}

QTEST_GUILESS_MAIN(TestBackupFile)
#include "test_backup_file.moc"
