#include "report/PageMetrics.h"

#include <cmath>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

std::optional<TPageMetrics::TScreen> TSystemPageMetrics::Screen() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    const QSizeF size = screen->physicalSize();
    const QSize pixels = screen->geometry().size();
    if (size.width() <= 0 || size.height() <= 0 || pixels.isEmpty())
        return std::nullopt;
    return TScreen{pixels.width(), pixels.height(), size.width(), size.height()};
}

std::optional<TPageMetrics::TPrinter> TSystemPageMetrics::Printer() const
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return std::nullopt;
    QPrinter printer(info, QPrinter::HighResolution);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    return TPrinter{info.printerName(), printer.logicalDpiX(), printer.logicalDpiY(), page.width(),
                    page.height()};
}

int TSystemPageMetrics::TextHeight(const QFont& font, int dpiY) const
{
    // A one-pixel picture at that resolution measures the font as a page of
    // it would draw it.
    QImage probe(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpiY / 0.0254));
    probe.setDotsPerMeterX(dotsPerMetre);
    probe.setDotsPerMeterY(dotsPerMetre);
    return QFontMetrics(font, &probe).height();
}
