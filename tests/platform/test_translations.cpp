#include "platform/translations.h"

#include <QCoreApplication>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTranslations final : public QObject
{
    Q_OBJECT

private slots:
    void qtDialogsSpeakChinese();
};

void TestTranslations::qtDialogsSpeakChinese()
{
    QVERIFY(platform::installChineseTranslations(*QCoreApplication::instance()));
    // a button of the file dialog that opens a transaction file
    QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), u"打开(&O)"_s);
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"
