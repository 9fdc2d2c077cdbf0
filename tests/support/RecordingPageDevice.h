#pragma once

#include <algorithm>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QString>
#include <QStringList>
#include <vector>

// A paged device that keeps the texts drawn on each page instead of
// drawing them: an A4 page at 300 pixels per inch, as the PDF report has.
// The page engine draws on it as on a printer.
class TRecordingPageDevice : public QPagedPaintDevice {
public:
    TRecordingPageDevice() : QPagedPaintDevice(nullptr), Engine_(*this) {}

    bool newPage() override
    {
        Pages.emplace_back();
        Images.push_back(0);
        return true;
    }
    QPaintEngine* paintEngine() const override { return &Engine_; }

    // The texts of each page, in the order they were drawn.
    std::vector<QStringList> Pages{1};
    // The pictures drawn on each page.
    std::vector<int> Images{0};

    // The lowest baseline of any text drawn, in pixels from the page's top.
    double LowestBaseline = 0;
    // A device that refuses to be drawn on, as a printer that cannot start.
    bool Refuses = false;

    // All texts of all pages.
    QStringList AllTexts() const
    {
        QStringList all;
        for (const QStringList& page : Pages)
            all += page;
        return all;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 2480;
        case PdmHeight:
            return 3508;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 300;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class TEngine : public QPaintEngine {
    public:
        explicit TEngine(TRecordingPageDevice& device) : Device_(device) {}
        bool begin(QPaintDevice*) override { return !Device_.Refuses; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawImage(const QRectF&, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override
        {
            ++Device_.Images.back();
        }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& at, const QTextItem& item) override
        {
            Device_.Pages.back().append(item.text());
            Device_.LowestBaseline = std::max(Device_.LowestBaseline, at.y());
        }
        Type type() const override { return User; }

    private:
        TRecordingPageDevice& Device_;
    };
    mutable TEngine Engine_;
};
