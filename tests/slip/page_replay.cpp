#include "page_replay.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <QTransform>

namespace testsupport {

namespace {

class NotingEngine final : public QPaintEngine
{
public:
    explicit NotingEngine(DrawnPage& page) : QPaintEngine(AllFeatures), m_page(page) { }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& changed) override
    {
        if (changed.state() & DirtyTransform)
            m_transform = changed.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
    Type type() const override { return User; }

    void drawTextItem(const QPointF& baseline, const QTextItem& item) override
    {
        const QRectF box = m_transform.mapRect(
            QRectF(baseline.x(), baseline.y() - item.ascent(), item.width(), item.ascent() + item.descent()));
        const QRectF ink
            = m_transform.mapRect(QFontMetricsF(item.font()).tightBoundingRect(item.text()).translated(baseline));
        const QRectF clip = painter()->hasClipping()
            ? painter()->combinedTransform().mapRect(painter()->clipBoundingRect())
            : QRectF();
        // one text may arrive in runs (《Sorvik》 and 软件); a run that goes on where the last ended belongs to it
        if (!m_page.texts.isEmpty()) {
            DrawnText& last = m_page.texts.last();
            if (qAbs(last.box.right() - box.left()) < 0.5 && qAbs(last.box.top() - box.top()) < 0.5
                && last.pixelSize == item.font().pixelSize()) {
                last.text += item.text();
                last.box = last.box.united(box);
                last.ink = last.ink.united(ink);
                return;
            }
        }
        m_page.texts << DrawnText {
            item.text(), box, m_transform.map(baseline).y(), ink, clip, item.font().pixelSize(), item.font().family()
        };
    }

    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_page.lines << m_transform.map(lines[i]);
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        // a wide pen's line arrives as a two-point polyline
        if (mode == PolylineMode && count == 2)
            m_page.lines << m_transform.map(QLineF(points[0], points[1]));
    }

private:
    DrawnPage& m_page;
    QTransform m_transform;
};

/** A device as large as any slip, at the resolution pages are recorded at, so nothing is scaled on replay. */
class NotingDevice final : public QPaintDevice
{
public:
    explicit NotingDevice(DrawnPage& page) : m_engine(page) { }

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 20000;
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_recorded.logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_recorded.logicalDpiY();
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    mutable NotingEngine m_engine;
    QPicture m_recorded;
};

} // namespace

const DrawnText* DrawnPage::find(const QString& text) const
{
    for (const DrawnText& drawn : texts) {
        if (drawn.text == text)
            return &drawn;
    }
    return nullptr;
}

DrawnPage replay(const QPicture& page)
{
    DrawnPage drawn;
    NotingDevice device(drawn);
    QPainter painter(&device);
    painter.drawPicture(0, 0, page);
    return drawn;
}

} // namespace testsupport
