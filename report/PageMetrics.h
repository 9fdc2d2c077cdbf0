#pragma once

#include <optional>
#include <QFont>
#include <QString>

// What the page engine learns of the screen and the printer, behind one small
// interface so that a test can give it fixed values.
class TPageMetrics {
public:
    virtual ~TPageMetrics() = default;

    struct TScreen {
        int WidthPx = 0, HeightPx = 0;    // resolution
        double WidthMm = 0, HeightMm = 0; // physical size
    };
    struct TPrinter {
        QString Name;
        int DpiX = 0, DpiY = 0; // logical pixels per inch
        int PageWidthPx = 0, PageHeightPx = 0;
    };

    // Nothing when the screen's size or resolution cannot be read.
    virtual std::optional<TScreen> Screen() const = 0;
    // Nothing when there is no printer to ask.
    virtual std::optional<TPrinter> Printer() const = 0;
    // The height of a line of text ("X") in the font on a device of that
    // many pixels per inch down.
    virtual int TextHeight(const QFont& font, int dpiY) const = 0;
};

// The name of Qt's PDF printer, the selected printer where the system has
// none of its own.
extern const QString PdfPrinterName; // "Print to File (PDF)"

class QPrinter;

// The real screen and the selected printer: the one given (the printer the
// user set up for reports), else the system's default printer, else the PDF
// printer.
class TSystemPageMetrics : public TPageMetrics {
public:
    // The selected printer is asked for when the page is set up, not before.
    explicit TSystemPageMetrics(QPrinter& (*selected)() = nullptr) : Selected_(selected) {}
    std::optional<TScreen> Screen() const override;
    std::optional<TPrinter> Printer() const override;
    int TextHeight(const QFont& font, int dpiY) const override;

private:
    QPrinter& (*Selected_)();
};

// The name a printer goes by in the status bar: its own, or the PDF
// printer's when it writes to a file.
QString PrinterDisplayName(const QPrinter& printer);
