#pragma once
// The texts a widget paints, as Qt hands them to the paint engine after eliding: what the user
// reads, for tests that cannot read pixels.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QWidget>

namespace dravenor::testing {

class TextRecordingDevice : public QPaintDevice, QPaintEngine {
public:
    explicit TextRecordingDevice(QSize size) : size(size) {}
    QPaintEngine* paintEngine() const override { return const_cast<TextRecordingDevice*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    QPaintEngine::Type type() const override { return User; }
    // Dots per inch, and sizes in millimetres near enough, are 96.
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return size.width();
        case PdmHeight: return size.height();
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 96;
        }
    }
    const QSize size;
    QStringList texts;
};

inline QStringList paintedTexts(QWidget& widget)
{
    TextRecordingDevice device(widget.size());
    widget.render(&device);
    return device.texts;
}

} // namespace dravenor::testing
