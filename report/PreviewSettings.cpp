#include "report/PreviewSettings.h"

void LoadPreviewSettings(TPageEngine& engine)
{
    const TReportSettings& settings = ReportSettings();
    engine.MarginCm = settings.Positions;
    engine.ReportFont = settings.Font.Font;
    // A stored zoom that is neither mode shows the page at actual size, so
    // that one of the two zoom buttons can always change it.
    engine.ZoomMode = settings.Zoom == zmWholePage ? zmWholePage : zmActualSize;
}

void StorePreviewSettings(const TPageEngine& engine)
{
    TReportSettings& settings = ReportSettings();
    settings.Positions = engine.MarginCm;
    settings.Font.Font = engine.ReportFont;
    settings.Zoom = engine.ZoomMode;
}
