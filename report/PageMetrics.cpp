#include "report/PageMetrics.h"

#include <cmath>
#include <memory>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

const QString PdfPrinterName = QStringLiteral("Print to File (PDF)");

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

QString PrinterDisplayName(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
        return PdfPrinterName;
    return printer.printerName();
}

std::optional<TPageMetrics::TPrinter> TSystemPageMetrics::Printer() const
{
    if (Selected_ != nullptr) {
        const QPrinter& selected = Selected_();
        const QRect page = selected.pageLayout().paintRectPixels(selected.resolution());
        if (page.isEmpty())
            return std::nullopt;
        return TPrinter{PrinterDisplayName(selected), selected.logicalDpiX(),
                        selected.logicalDpiY(), page.width(), page.height()};
    }
    // Qt always offers its PDF printer; where the system has no printer of
    // its own, that one is the selected printer, as in the print dialog.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    std::unique_ptr<QPrinter> printer;
    QString name;
    if (info.isNull()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        name = PdfPrinterName;
    } else {
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        name = info.printerName();
    }
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    if (page.isEmpty())
        return std::nullopt;
    return TPrinter{name, printer->logicalDpiX(), printer->logicalDpiY(), page.width(),
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
