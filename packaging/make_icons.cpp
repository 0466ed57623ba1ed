// Draws the program's icon, the mark its about box shows (a green cross on a white tile), as one PNG a size:
//   quenvale_icons FOLDER SIZE...   writes FOLDER/SIZE.png for each SIZE in pixels.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QImage icon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal border = qMax(1.0, side / 24.0);
    painter.setPen(QPen(QColor(0, 110, 60), border));
    painter.setBrush(Qt::white);
    const qreal inset = border / 2;
    painter.drawRoundedRect(QRectF(inset, inset, side - border, side - border), side / 6.0, side / 6.0);
    const qreal arm = side / 5.0;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(arm * 2, arm, arm, arm * 3), QColor(0, 150, 80));
    painter.fillRect(QRectF(arm, arm * 2, arm * 3, arm), QColor(0, 150, 80));
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: quenvale_icons FOLDER SIZE...\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(u"."_s)) {
        std::fprintf(stderr, "quenvale_icons: cannot make %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        bool isNumber = false;
        const int side = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || side < 16 || side > 1024) {
            std::fprintf(stderr, "quenvale_icons: not an icon size: %s\n", argv[i]);
            return 2;
        }
        const QString path = folder.filePath(QString::number(side) + u".png"_s);
        if (!icon(side).save(path, "PNG")) {
            std::fprintf(stderr, "quenvale_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
