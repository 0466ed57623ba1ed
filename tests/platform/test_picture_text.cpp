#include "platform/picture_text.h"

#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestPictureText final : public QObject
{
    Q_OBJECT

private slots:
    void textsAmongShapes();
};

void TestPictureText::textsAmongShapes()
{
    QPicture picture;
    QPainter painter(&picture);
    painter.setFont(QFont(u"Noto Serif CJK SC"_s, 10));
    painter.drawText(QPointF(10, 20), u"本页小计："_s);
    // every kind of shape a page may hold goes by without a text, and without a loop
    const QPointF triangle[] { { 0, 0 }, { 30, 0 }, { 15, 20 } };
    painter.drawPolygon(triangle, 3);
    painter.drawPolyline(triangle, 3);
    painter.drawConvexPolygon(triangle, 3);
    painter.drawRect(QRectF(1, 1, 10, 10));
    painter.drawLine(QLineF(0, 0, 100, 0));
    painter.drawEllipse(QRectF(0, 0, 8, 8));
    painter.drawPoint(QPointF(3, 3));
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, 40, 20), 4, 4);
    painter.drawPath(path);
    painter.fillRect(QRectF(0, 0, 5, 5), Qt::black);
    painter.setFont(QFont(u"Noto Sans CJK SC"_s, 16));
    painter.drawText(QRectF(0, 40, 300, 30), Qt::AlignCenter, u"华康医药有限公司"_s);
    painter.end();

    const QList<platform::DrawnText> texts = platform::textsOf(picture);
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts.at(0).text, u"本页小计："_s);
    QCOMPARE(texts.at(0).font.family(), u"Noto Serif CJK SC"_s);
    QCOMPARE(texts.at(1).text, u"华康医药有限公司"_s);
    QCOMPARE(texts.at(1).font.family(), u"Noto Sans CJK SC"_s);
}

QTEST_MAIN(TestPictureText)
#include "test_picture_text.moc"
