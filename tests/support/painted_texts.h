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
    explicit TextRecordingDevice(QSize size) : size_(size) {}
    QPaintEngine* paintEngine() const override { return const_cast<TextRecordingDevice*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    QPaintEngine::Type type() const override { return User; }
    QStringList texts;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 96; // dots per inch, and sizes in millimetres near enough
        }
    }

private:
    QSize size_;
};

inline QStringList paintedTexts(QWidget& widget)
{
    TextRecordingDevice device(widget.size());
    widget.render(&device);
    return device.texts;
}

} // namespace dravenor::testing
