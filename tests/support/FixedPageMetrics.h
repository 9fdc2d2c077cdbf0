#pragma once

#include "report/PageMetrics.h"

// A screen of 37.8 pixels per centimetre (96 per inch), lines of 16 pixels at
// that resolution (in proportion at others), and no printer unless a test
// gives one.
class TFixedMetrics : public TPageMetrics {
public:
    std::optional<TScreen> Screen() const override { return ScreenValue; }
    std::optional<TPrinter> Printer() const override { return PrinterValue; }
    int TextHeight(const QFont&, int dpiY) const override
    {
        // 16 pixels at 96 per inch, in proportion elsewhere.
        return dpiY * 16 / 96;
    }

    // 378 pixels over 100 mm: 37.8 pixels per centimetre.
    std::optional<TScreen> ScreenValue = TScreen{378, 378, 100, 100};
    std::optional<TPrinter> PrinterValue;
};
