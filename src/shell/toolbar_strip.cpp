#include "shell/toolbar_strip.h"

#include "platform/twips.h"
#include "shell/toolbar_image.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

struct ImagePlace
{
    const char16_t* name;
    int left;
    int top;
    int width;
    int height;
    const char16_t* toolTip;
};

// Positions in twips inside the strip, left to right.
constexpr ImagePlace images[] = {
    { u"Image10", 120, 240, 480, 480, u"版权说明" },
    { u"Image1", 840, 120, 510, 510, u"新交易=入库" },
    { u"Image2", 1440, 120, 510, 510, u"新交易=不入库" },
    { u"Image15", 2040, 120, 510, 510, u"查看本次交易" },
    { u"Image14", 2640, 120, 510, 510, u"打印" },
    { u"Image4", 3360, 120, 510, 510, u"建立新药品档案" },
    { u"Look", 3960, 120, 510, 510, u"历史交易查看" },
    { u"Image6", 4560, 120, 510, 510, u"修改药品档案" },
    { u"Image5", 5160, 120, 510, 510, u"建立新客户档案" },
    { u"Image7", 5880, 120, 510, 510, u"药品销售统计" },
    { u"Image8", 6480, 120, 510, 510, u"药品总数统计" },
    { u"Image3", 7080, 120, 510, 510, u"数据备份" },
    { u"Image9", 7920, 120, 510, 510, u"帮助主题" },
    { u"Image11", 8520, 120, 510, 510, u"退出系统" },
    { u"Image12", 9600, 120, 1830, 480, u"" },
};

constexpr int separators[] = { 720, 3240, 5760, 7680, 9240 };
constexpr int separatorBottom = 720;

} // namespace

ToolbarStrip::ToolbarStrip(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"Picture1"_s);
    platform::place(this, 0, 0, 11880, 735);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(grey);

    for (const auto& place : images) {
        const QString name = QString::fromUtf16(place.name);
        auto* image = new ToolbarImage(name, QString::fromUtf16(place.toolTip), this);
        platform::place(image, place.left, place.top, place.width, place.height);
        connect(image, &ToolbarImage::clicked, this, [this, name] { emit imageClicked(name); });
    }
}

void ToolbarStrip::paintEvent(QPaintEvent*)
{
    // etched lines: a shadow with a highlight beside it
    QPainter painter(this);
    const QColor shadow(128, 128, 128);
    const QColor highlight(255, 255, 255);
    painter.setPen(shadow);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(highlight);
    painter.drawLine(0, 1, width() - 1, 1);
    const int bottom = platform::pixels(separatorBottom);
    for (const int x : separators) {
        const int px = platform::pixels(x);
        painter.setPen(shadow);
        painter.drawLine(px, 0, px, bottom);
        painter.setPen(highlight);
        painter.drawLine(px + 1, 0, px + 1, bottom);
    }
}

} // namespace shell
