#include "platform/picture_text.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPicture>

namespace platform {

namespace {

/** Replays a picture and keeps its texts; everything else it draws goes nowhere. */
class TextRecorder final : public QPaintEngine
{
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) { }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override { }
    // Qt's fallbacks for these call one another, so each of them must end here
    void drawRects(const QRect*, int) override { }
    void drawRects(const QRectF*, int) override { }
    void drawLines(const QLine*, int) override { }
    void drawLines(const QLineF*, int) override { }
    void drawEllipse(const QRectF&) override { }
    void drawEllipse(const QRect&) override { }
    void drawPath(const QPainterPath&) override { }
    void drawPoints(const QPointF*, int) override { }
    void drawPoints(const QPoint*, int) override { }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override { }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { }
    void drawTextItem(const QPointF&, const QTextItem& textItem) override
    {
        texts.append({ textItem.font(), textItem.text() });
    }
    Type type() const override { return QPaintEngine::User; }

    QList<DrawnText> texts;
};

class RecordingDevice final : public QPaintDevice
{
public:
    explicit RecordingDevice(int resolution) : m_resolution(resolution) { }
    QPaintEngine* paintEngine() const override { return &m_engine; }
    QList<DrawnText> texts() const { return m_engine.texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_resolution;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            // large enough for any page, so that nothing is clipped away
            return 1 << 20;
        }
    }

private:
    int m_resolution;
    mutable TextRecorder m_engine;
};

} // namespace

QList<DrawnText> textsOf(const QPicture& picture)
{
    // at the picture's own resolution, so that its fonts are not scaled a second time
    RecordingDevice device(QPicture().logicalDpiX());
    QPainter painter(&device);
    painter.drawPicture(0, 0, picture);
    painter.end();
    return device.texts();
}

} // namespace platform
